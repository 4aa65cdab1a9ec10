#include "dialogs/historyviews.h"

#include "records/filenames.h"

#include "dialogs/frmHistory.h"
#include "dialogs/frmWeeks.h"

#include "base/asker.h"
#include "base/namemask.h"
#include "history/journal.h"
#include "records/learnertable.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPointer>
#include <QWidget>

namespace qel {

using namespace history;

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(HistoryViews)
};
} // namespace

QFuture<void> showLearnerHistory(QWidget *parent, Journal &journal, const QString &folder, const QString &key,
                                 const QIcon &icon, NameMask *names)
{
    return journal.learnerHistory(folder, key)
        .then(parent, [parent, icon, names = QPointer<NameMask>(names)](LearnerHistory history) {
            // The view shows the name it is given, nothing else of it.
            if (names)
                history.name = names->shown(history.name);
            frmHistory dialog(std::move(history), icon, parent);
            asker().showDialog(dialog);
        });
}

QFuture<void> showWeekComparison(QWidget *parent, Journal &journal, const QString &folder, int group,
                                 const QStringList &keys, const QString &csvFolder, const QIcon &icon,
                                 NameMask *names, const OutputCheck &check)
{
    return journal.weekComparison(folder, keys)
        .then(parent, [=, names = QPointer<NameMask>(names)](const WeekComparison &comparison) {
            frmWeeks dialog({comparison, folder, group, csvFolder, names, check}, icon, parent);
            asker().showDialog(dialog);
        });
}

QString tidyQuestion(const QStringList &learners)
{
    constexpr int kNamed = 10;
    QStringList shown;
    for (const QString &learner : learners.mid(0, kNamed))
        shown << shownFileName(learner);
    //: Between the names of the learners in the question of tidying the history.
    QString names = shown.join(Tr::tr("、"));
    if (learners.size() > kNamed)
        //: After the first ten names: %n more learners.
        names += Tr::tr(" ほか%n人", nullptr, int(learners.size() - kNamed));
    //: %n learners whose record files are gone; the names follow on the next line (%1).
    return Tr::tr("記録ファイルの残っていない%n人の練習の記録を削除しますか？\n%1", nullptr, int(learners.size()))
        .arg(names);
}

QString nothingToTidyText()
{
    return Tr::tr("削除できる練習の記録はありません。");
}

QString tidiedText(int learners)
{
    return Tr::tr("%n人の練習の記録を削除しました。", nullptr, learners);
}

QString cannotTidyText()
{
    return Tr::tr("練習の記録を整理できませんでした。記録フォルダか練習の記録のデータベースを読めません。");
}

QFuture<int> tidyHistory(QWidget *parent, Journal &journal, const QString &folder, NameMask *names)
{
    QPointer<Journal> owner(&journal);
    const QPointer<NameMask> mask(names);
    return journal.learnersWithoutFiles(folder).then(parent, [=](const std::optional<QStringList> &learners) -> QFuture<int> {
        const auto tell = [parent](const QString &text, Asker::Icon icon) {
            asker().message(parent, text, QString(), Asker::Buttons::Ok, icon);
        };
        if (!learners) {
            tell(cannotTidyText(), Asker::Icon::Exclamation);
            return QtFuture::makeReadyFuture(-1);
        }
        if (learners->isEmpty()) {
            tell(nothingToTidyText(), Asker::Icon::Information);
            return QtFuture::makeReadyFuture(0);
        }
        QStringList shown;
        for (const QString &learner : *learners)
            shown << (mask ? mask->shown(shownFileName(learner)) : learner);
        if (!owner || !asker().message(parent, tidyQuestion(shown), QString(), Asker::Buttons::OkCancel,
                                       Asker::Icon::Question))
            return QtFuture::makeReadyFuture(0);
        const int count = int(learners->size());
        return owner->forgetLearners(folder, *learners).then(parent, [tell, count](const std::optional<int> &removed) {
            if (!removed) {
                tell(cannotTidyText(), Asker::Icon::Exclamation);
                return -1;
            }
            tell(tidiedText(count), Asker::Icon::Information);
            return *removed;
        });
    }).unwrap();
}

void showJournalNotices(QWidget *parent, Journal &journal)
{
    QObject::connect(&journal, &Journal::notice, parent, [parent](const QString &text) {
        asker().message(parent, text, QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
    });
}

} // namespace qel
