#pragma once
// What the window's history commands do, each in one call: ask the journal, and once it has
// answered show the view or ask the question through the Asker. Each returns at once; the
// future ends when the command has.

#include "base/printpreview.h"

#include <QFuture>
#include <QString>
#include <QStringList>

class QIcon;
class QWidget;

namespace qel {

class NameMask;

namespace history {
class Journal;
}

// Each view shows the learners' names as `names` does (a number while the window hides
// them); without it, the names themselves.

// "練習の記録" of one record file of `folder`.
QFuture<void> showLearnerHistory(QWidget *parent, history::Journal &journal, const QString &folder,
                                 const QString &key, const QIcon &icon, NameMask *names = nullptr);

// "今週と先週" of the record files `keys` of the group shown. `check` tells whether its CSV
// file or PDF may be written (frmWeeks).
QFuture<void> showWeekComparison(QWidget *parent, history::Journal &journal, const QString &folder, int group,
                                 const QStringList &keys, const QString &csvFolder, const QIcon &icon,
                                 NameMask *names = nullptr, const OutputCheck &check = {});

// "履歴の整理": finds the learners with a history and no record file left, asks, and
// removes their history. The number of record files whose history went; 0 when there was
// nothing to do or the question was cancelled; -1 when it failed.
QFuture<int> tidyHistory(QWidget *parent, history::Journal &journal, const QString &folder, NameMask *names = nullptr);
// The texts it shows.
QString tidyQuestion(const QStringList &learners);
QString nothingToTidyText();
QString tidiedText(int learners);
QString cannotTidyText();

// Tells the journal's notices (a damaged database moved aside, a full disk) on `parent`.
void showJournalNotices(QWidget *parent, history::Journal &journal);

} // namespace qel
