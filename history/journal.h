#pragma once
// The journal as the viewer uses it: the database on a thread of its own. Nothing here waits
// for the database on the caller's thread: a look is queued and written in one transaction
// on the journal's thread, and questions come back as futures.

#include "history/figures.h"
#include "history/journalstore.h"
#include "records/learnertable.h"

#include <QFuture>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <memory>
#include <optional>
#include <vector>

class QThread;

namespace qel::history {

class JournalWorker;

struct JournalSettings {
    QString path; // empty: defaultDatabasePath()
    Clock clock;  // empty: the system's; called on both threads
    int heartbeatMSecs = 5 * 60 * 1000;
    QTimeZone zone = QTimeZone::systemTimeZone();
};

class Journal : public QObject {
    Q_OBJECT
public:
    using Settings = JournalSettings;

    explicit Journal(Settings settings = Settings(), QObject *parent = nullptr);
    // Writes what is queued, marks the folders followed as seen until now, and closes.
    ~Journal() override;

    // A table build or refresh of `group` read these rows of `folder`: queued, written on the
    // journal's thread. Rows whose files could not be read are left out; a row not handed
    // over counts as unchanged.
    void observe(const QString &folder, int group, const std::vector<TableRow> &rows);
    // While a folder is followed live (a change would be seen and handed over), the journal
    // marks it seen every heartbeat, so that quiet hours count as "no practice" rather than
    // "not observed".
    void setLive(const QString &folder, int group, bool live);

    QFuture<LearnerHistory> learnerHistory(const QString &folder, const QString &key);
    QFuture<WeekComparison> weekComparison(const QString &folder, const QStringList &keys);
    // The learners with a journal in the folder and no record file left; nothing when the
    // folder cannot be listed.
    QFuture<std::optional<QStringList>> learnersWithoutFiles(const QString &folder);
    // Removes the journals of those of `learners` who still have no record file; how many
    // record files' journals went, or nothing when the folder cannot be listed or the
    // database not written.
    QFuture<std::optional<int>> forgetLearners(const QString &folder, const QStringList &learners);

    // The texts of the notices.
    static QString damagedText(const QString &movedAside);
    static QString cannotWriteText();
    static QString unavailableText(const QString &path, const QString &detail);

signals:
    // Something the user is to be told once: a damaged database moved aside, a full disk,
    // a database that cannot be used. Sent on the thread the journal lives on.
    void notice(const QString &text);
    // A queued look or heartbeat was handled (written, or given up).
    void handled();

private:
    QThread *m_thread = nullptr;
    JournalWorker *m_worker = nullptr;
    Clock m_clock;
};

} // namespace qel::history
