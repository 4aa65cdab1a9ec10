#include "history/journalstore.h"

#include "records/learnertable.h"
#include "records/practicehistory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <map>
#include <set>

namespace qel::history {

namespace {

constexpr int kBusyTimeoutMSecs = 5000;
constexpr int kAttempts = 4; // each after SQLite's own busy timeout
constexpr qint64 kDayMSecs = 24 * 60 * 60 * 1000;
constexpr qint64 kFoldAfterMSecs = 365 * kDayMSecs;
// Above this many files a look reads the stored state of the whole folder in one query.
constexpr std::size_t kFilesForFullRead = 200;

// Each statement in parentheses: one element, however many literals make it.
const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS settings(key TEXT PRIMARY KEY, value INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS folders(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE)",
    // The newest row of each file, which the next look compares with.
    ("CREATE TABLE IF NOT EXISTS files(id INTEGER PRIMARY KEY, folder INTEGER NOT NULL, name TEXT NOT NULL,"
     " series INTEGER NOT NULL, runs INTEGER NOT NULL, seconds INTEGER NOT NULL, step INTEGER NOT NULL,"
     " best INTEGER NOT NULL, seen INTEGER NOT NULL, UNIQUE(folder, name))"),
    // new_runs is NULL on the first row of a series; spm_sum and mistype_sum are NULL when
    // the new runs could not be read back.
    ("CREATE TABLE IF NOT EXISTS observations(file INTEGER NOT NULL, seen INTEGER NOT NULL,"
     " since INTEGER NOT NULL, series INTEGER NOT NULL, runs INTEGER NOT NULL, seconds INTEGER NOT NULL,"
     " step INTEGER NOT NULL, best INTEGER NOT NULL, new_runs INTEGER, new_seconds INTEGER,"
     " new_steps INTEGER, spm_sum INTEGER, mistype_sum INTEGER)"),
    "CREATE INDEX IF NOT EXISTS observations_of_file ON observations(file, seen)",
    ("CREATE TABLE IF NOT EXISTS stretches(folder INTEGER NOT NULL, course INTEGER NOT NULL,"
     " first INTEGER NOT NULL, last INTEGER NOT NULL)"),
    "CREATE INDEX IF NOT EXISTS stretches_of_folder ON stretches(folder, course, last)",
};

const char *const kEntryColumns = "seen, since, series, runs, seconds, step, best, new_runs, new_seconds,"
                                  " new_steps, spm_sum, mistype_sum";

Outcome failureOf(const QSqlError &error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xff;
    Outcome o;
    o.detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    switch (number ? code : -1) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        o.failure = Failure::Busy;
        break;
    case 10: // SQLITE_IOERR: what a file that may grow no further gives
    case 13: // SQLITE_FULL
        o.failure = Failure::CannotWrite;
        break;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        o.failure = Failure::Damaged;
        break;
    default:
        o.failure = Failure::Unavailable;
        break;
    }
    return o;
}

QVariant optionalValue(const std::optional<std::int64_t> &value)
{
    return value ? QVariant(qlonglong(*value)) : QVariant();
}

std::optional<std::int64_t> optionalOf(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toLongLong();
}

// Consecutive rows of one query that belong together (`together(last, next)`), in groups of
// two or more: what folding merges into one.
template <typename Row, typename Read, typename Together>
std::vector<std::vector<Row>> runsToFold(QSqlQuery &query, Read read, Together together)
{
    std::vector<std::vector<Row>> groups;
    std::vector<Row> current;
    const auto close = [&] {
        if (current.size() > 1)
            groups.push_back(std::move(current));
        current.clear();
    };
    while (query.next()) {
        Row row = read(query);
        if (!current.empty() && !together(current.back(), row))
            close();
        current.push_back(std::move(row));
    }
    close();
    query.finish();
    return groups;
}

// The stored newest row of a file.
struct FileState {
    qint64 id = 0;
    int series = 0;
    std::int32_t runs = 0;
    std::int32_t seconds = 0;
    int step = 0;
    int best = 0;
    qint64 seen = 0;
};

using RunRange = std::pair<std::int64_t, std::int64_t>;

// The runs an interval added, from the runs the table kept or else from the file.
std::optional<RunSums> newRunSums(const Observation &o, std::int64_t first)
{
    const std::int64_t last = o.runCount;
    const std::int64_t wanted = last - first + 1;
    if (wanted <= 0)
        return RunSums{};
    if (o.recent.lastRun == last && wanted <= o.recent.count) {
        RunSums sums;
        sums.runs = wanted;
        for (const RunSample &run : o.recent.runs().last(std::size_t(wanted))) {
            sums.spm += run.spm;
            sums.mistypeRate += run.mistypeRate;
        }
        return sums;
    }
    return std::nullopt;
}

bool recentCovers(const Observation &o, std::int64_t first)
{
    const std::int64_t wanted = std::int64_t(o.runCount) - first + 1;
    return wanted <= 0 || (o.recent.lastRun == o.runCount && wanted <= o.recent.count);
}

QString asideName(const QString &path, qint64 now)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::fromMSecsSinceEpoch(now).toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString name = info.completeBaseName() + QLatin1Char('-') + stamp
                             + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) + suffix;
        const QString candidate = info.dir().filePath(name);
        if (!QFileInfo::exists(candidate) && !QFileInfo::exists(candidate + QStringLiteral("-wal")))
            return candidate;
    }
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("qel-history-%1").arg(++counter);
}

} // namespace

QString defaultDatabasePath()
{
    const QByteArray chosen = qgetenv("QEL_HISTORY_DB");
    if (!chosen.isEmpty())
        return QString::fromLocal8Bit(chosen);
    // The viewer's folder, whichever program asks: the command-line tool has names of its own.
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(QStringLiteral("QelSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("QelViewer"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setOrganizationName(organization);
    QCoreApplication::setApplicationName(application);
    return QDir(folder).filePath(QStringLiteral("history.db"));
}

QString canonicalFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

const FileJournal *FolderJournal::file(const QString &key) const
{
    const auto at = std::lower_bound(files.begin(), files.end(), key,
                                     [](const FileJournal &f, const QString &k) { return f.key < k; });
    return at != files.end() && at->key == key ? &*at : nullptr;
}

class JournalStore::Private {
public:
    QString path;
    QTimeZone zone;
    QString connection = nextConnectionName();
    QSqlDatabase db;

    ~Private() { close(); }

    void close()
    {
        if (!db.isValid())
            return;
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
    }

    bool exec(QSqlQuery &query, Outcome &outcome)
    {
        if (query.exec())
            return true;
        outcome = failureOf(query.lastError());
        return false;
    }

    bool exec(const QString &statement, Outcome &outcome)
    {
        QSqlQuery query(db);
        if (query.exec(statement))
            return true;
        outcome = failureOf(query.lastError());
        return false;
    }

    // A one-value statement.
    std::optional<QVariant> value(const QString &statement, Outcome &outcome)
    {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            outcome = failureOf(query.lastError());
            return std::nullopt;
        }
        return query.next() ? query.value(0) : QVariant();
    }

    // A database that failed to open is left closed. Opening takes locks for a moment (the
    // first switch to WAL, another program's last close folding its log back), which SQLite
    // may refuse at once rather than wait for: a few more tries, a little later each.
    Outcome openOnce()
    {
        Outcome outcome;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            if (attempt > 0)
                QThread::msleep(50UL << attempt);
            outcome = openConnection();
            if (!outcome)
                close();
            if (outcome.failure != Failure::Busy)
                break;
        }
        return outcome;
    }

    Outcome openConnection()
    {
        close();
        Outcome outcome;
        const QFileInfo info(path);
        if (!QDir().mkpath(info.absolutePath()))
            return {Failure::Unavailable, QStringLiteral("cannot make %1").arg(info.absolutePath()), {}};
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMSecs));
        if (!db.open()) {
            outcome = failureOf(db.lastError());
            close();
            return outcome;
        }
        // Checked before anything is written to it, so that a damaged file goes aside as it
        // was found; a file that is no database shows at this first read.
        const auto check = value(QStringLiteral("PRAGMA quick_check"), outcome);
        if (!check)
            return outcome;
        if (check->toString() != QLatin1String("ok"))
            return {Failure::Damaged, check->toString(), {}};
        if (!value(QStringLiteral("PRAGMA journal_mode=WAL"), outcome))
            return outcome;
        if (!exec(QStringLiteral("PRAGMA synchronous=NORMAL"), outcome))
            return outcome;
        const auto version = value(QStringLiteral("PRAGMA user_version"), outcome);
        if (!version)
            return outcome;
        if (version->toInt() > kSchemaVersion)
            return {Failure::Unavailable, QStringLiteral("made by a newer QelViewer (schema %1)").arg(version->toInt()), {}};
        if (version->toInt() == kSchemaVersion)
            return checkShape();
        return transaction([&](Outcome &o) {
            for (const char *statement : kSchema)
                if (!exec(QString::fromLatin1(statement), o))
                    return false;
            return exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion), o);
        });
    }

    // A database of this version holds our tables as we made them; one whose tables were
    // changed since (by hand, by another program) would take looks it cannot give back.
    Outcome checkShape()
    {
        Outcome outcome;
        QSqlQuery stored(db);
        stored.setForwardOnly(true);
        if (!stored.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL")) || !exec(stored, outcome))
            return outcome;
        QStringList found, made;
        while (stored.next())
            found << stored.value(0).toString();
        for (const char *statement : kSchema)
            made << QString::fromLatin1(statement).replace(QLatin1String(" IF NOT EXISTS"), QString());
        found.sort();
        made.sort();
        if (found != made)
            return {Failure::Unavailable, QStringLiteral("its tables are not those of QelViewer's history"), {}};
        return {};
    }

    // Moves the damaged file (with its WAL and shared-memory files) aside.
    Outcome moveAside(qint64 now, const Outcome &why)
    {
        close();
        const QString aside = asideName(path, now);
        for (const QString &tail : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
            if (!QFileInfo::exists(path + tail))
                continue;
            if (!QFile::rename(path + tail, aside + tail) && tail.isEmpty())
                return {Failure::Unavailable, QStringLiteral("cannot move %1 aside: %2").arg(path, why.detail), {}};
        }
        return {Failure::Damaged, why.detail, aside};
    }

    // Opens, moving a damaged file aside once.
    Outcome open(qint64 now)
    {
        Outcome first = openOnce();
        if (first.failure != Failure::Damaged)
            return first;
        Outcome moved = moveAside(now, first);
        if (moved.failure != Failure::Damaged)
            return moved;
        Outcome again = openOnce();
        if (!again) {
            again.movedAside = moved.movedAside;
            return again;
        }
        return moved;
    }

    // Runs `body` between BEGIN IMMEDIATE and COMMIT, again while another writer holds the
    // database.
    template <typename Body>
    Outcome transaction(const Body &body)
    {
        Outcome outcome;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            // SQLite refuses some locks at once (a writer that would deadlock waits for none).
            if (attempt > 0)
                QThread::msleep(50UL << attempt);
            outcome = Outcome{};
            if (!exec(QStringLiteral("BEGIN IMMEDIATE"), outcome)) {
                if (outcome.failure == Failure::Busy)
                    continue;
                return outcome;
            }
            if (body(outcome) && exec(QStringLiteral("COMMIT"), outcome))
                return outcome;
            Outcome ignored;
            exec(QStringLiteral("ROLLBACK"), ignored);
            if (outcome.failure != Failure::Busy)
                return outcome;
        }
        return outcome;
    }

    std::optional<qint64> folderId(const QString &folder, bool make, Outcome &outcome)
    {
        QSqlQuery find(db);
        find.prepare(QStringLiteral("SELECT id FROM folders WHERE path = ?"));
        find.addBindValue(folder);
        if (!exec(find, outcome))
            return std::nullopt;
        if (find.next())
            return find.value(0).toLongLong();
        if (!make)
            return qint64(0);
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO folders(path) VALUES(?)"));
        insert.addBindValue(folder);
        if (!exec(insert, outcome))
            return std::nullopt;
        return insert.lastInsertId().toLongLong();
    }

    bool loadStates(qint64 folder, const std::vector<Observation> &files, QHash<QString, FileState> &states,
                    Outcome &outcome)
    {
        states.clear();
        const auto take = [](const QSqlQuery &q) {
            return FileState{q.value(0).toLongLong(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(),
                             q.value(5).toInt(), q.value(6).toInt(), q.value(7).toLongLong()};
        };
        const QString columns = QStringLiteral("SELECT id, name, series, runs, seconds, step, best, seen FROM files ");
        if (files.size() > kFilesForFullRead) {
            QSqlQuery all(db);
            all.setForwardOnly(true);
            all.prepare(columns + QStringLiteral("WHERE folder = ?"));
            all.addBindValue(folder);
            if (!exec(all, outcome))
                return false;
            while (all.next())
                states.insert(all.value(1).toString(), take(all));
            return true;
        }
        QSqlQuery one(db);
        one.setForwardOnly(true);
        one.prepare(columns + QStringLiteral("WHERE folder = ? AND name = ?"));
        for (const Observation &o : files) {
            one.bindValue(0, folder);
            one.bindValue(1, o.key);
            if (!exec(one, outcome))
                return false;
            if (one.next())
                states.insert(o.key, take(one));
            one.finish();
        }
        return true;
    }

    // The runs a look will need read from the files, read before the write lock is taken.
    std::map<QString, std::pair<RunRange, std::optional<RunSums>>> readAhead(const Batch &batch)
    {
        std::map<QString, std::pair<RunRange, std::optional<RunSums>>> sums;
        Outcome outcome;
        const auto folder = folderId(canonicalFolder(batch.folder), false, outcome);
        if (!folder || *folder == 0)
            return sums;
        QHash<QString, FileState> states;
        if (!loadStates(*folder, batch.files, states, outcome))
            return sums;
        for (const Observation &o : batch.files) {
            const auto state = states.constFind(o.key);
            if (state == states.cend() || o.runCount <= state->runs || o.totalSeconds < state->seconds
                || recentCovers(o, state->runs + 1))
                continue;
            const RunRange range{state->runs + 1, o.runCount};
            sums[o.key] = {range, sumRuns(recordFolderPath(batch.folder, o.key), range.first, range.second)};
        }
        return sums;
    }

    // Extends the newest stretch of the Course by a look at `seen`, or begins one; the end
    // of the newest stretch before it, or 0.
    std::optional<qint64> sightCourse(qint64 folder, Course course, qint64 seen, Outcome &outcome)
    {
        QSqlQuery newest(db);
        newest.prepare(QStringLiteral("SELECT rowid, first, last FROM stretches WHERE folder = ? AND course = ?"
                                      " ORDER BY last DESC LIMIT 1"));
        newest.addBindValue(folder);
        newest.addBindValue(int(course));
        if (!exec(newest, outcome))
            return std::nullopt;
        qint64 before = 0;
        QSqlQuery write(db);
        if (newest.next()) {
            const qint64 row = newest.value(0).toLongLong();
            const qint64 first = newest.value(1).toLongLong(), last = newest.value(2).toLongLong();
            newest.finish();
            if (seen >= first - kStretchGapMSecs && seen <= last + kStretchGapMSecs) {
                write.prepare(QStringLiteral("UPDATE stretches SET first = ?, last = ? WHERE rowid = ?"));
                write.addBindValue(std::min(first, seen));
                write.addBindValue(std::max(last, seen));
                write.addBindValue(row);
                if (!exec(write, outcome))
                    return std::nullopt;
                return last;
            }
            before = last;
        }
        write.prepare(QStringLiteral("INSERT INTO stretches(folder, course, first, last) VALUES(?, ?, ?, ?)"));
        write.addBindValue(folder);
        write.addBindValue(int(course));
        write.addBindValue(seen);
        write.addBindValue(seen);
        if (!exec(write, outcome))
            return std::nullopt;
        return before;
    }

    bool writeBatch(const Batch &batch, const std::map<QString, std::pair<RunRange, std::optional<RunSums>>> &ahead,
                    Outcome &outcome)
    {
        const auto folder = folderId(canonicalFolder(batch.folder), true, outcome);
        if (!folder)
            return false;
        std::array<qint64, 2> before{0, 0};
        for (Course course : coursesOf(batch.group)) {
            const auto last = sightCourse(*folder, course, batch.seen, outcome);
            if (!last)
                return false;
            before[course] = *last;
        }
        QHash<QString, FileState> states;
        if (!loadStates(*folder, batch.files, states, outcome))
            return false;

        QSqlQuery addRow(db);
        addRow.prepare(QStringLiteral("INSERT INTO observations(file, %1) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                           .arg(QLatin1String(kEntryColumns)));
        QSqlQuery addFile(db);
        addFile.prepare(QStringLiteral("INSERT INTO files(folder, name, series, runs, seconds, step, best, seen)"
                                       " VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
        QSqlQuery updateFile(db);
        updateFile.prepare(QStringLiteral("UPDATE files SET series = ?, runs = ?, seconds = ?, step = ?, best = ?,"
                                          " seen = ? WHERE id = ?"));
        for (const Observation &o : batch.files) {
            const auto course = courseOfKey(o.key);
            const auto state = states.constFind(o.key);
            Entry e;
            e.seen = o.seen;
            e.since = course ? std::min(before[*course], o.seen) : 0;
            e.runCount = o.runCount;
            e.totalSeconds = o.totalSeconds;
            e.passedStep = o.passedStep;
            e.bestSpm = o.bestSpm;
            if (state != states.cend()) {
                // What another writer stored from a later read stands.
                if (o.seen < state->seen)
                    continue;
                if (o.runCount == state->runs && o.totalSeconds == state->seconds && o.passedStep == state->step
                    && o.bestSpm == state->best)
                    continue;
                if (o.runCount < state->runs || o.totalSeconds < state->seconds) {
                    e.series = state->series + 1; // a new term or a reset: counted from here on
                } else {
                    e.series = state->series;
                    Entry::Interval in;
                    in.runs = o.runCount - state->runs;
                    in.seconds = o.totalSeconds - state->seconds;
                    in.steps = std::max(0, o.passedStep - state->step);
                    std::optional<RunSums> sums = newRunSums(o, state->runs + 1);
                    if (!sums && in.runs > 0) {
                        const RunRange range{state->runs + 1, o.runCount};
                        const auto read = ahead.find(o.key);
                        sums = read != ahead.end() && read->second.first == range
                                   ? read->second.second
                                   : sumRuns(recordFolderPath(batch.folder, o.key), range.first, range.second);
                    }
                    if (sums) {
                        in.spmSum = sums->spm;
                        in.mistypeSum = sums->mistypeRate;
                    }
                    e.interval = in;
                }
            }
            qint64 file = 0;
            if (state == states.cend()) {
                addFile.bindValue(0, *folder);
                addFile.bindValue(1, o.key);
                addFile.bindValue(2, e.series);
                addFile.bindValue(3, e.runCount);
                addFile.bindValue(4, e.totalSeconds);
                addFile.bindValue(5, e.passedStep);
                addFile.bindValue(6, e.bestSpm);
                addFile.bindValue(7, e.seen);
                if (!exec(addFile, outcome))
                    return false;
                file = addFile.lastInsertId().toLongLong();
            } else {
                file = state->id;
                updateFile.bindValue(0, e.series);
                updateFile.bindValue(1, e.runCount);
                updateFile.bindValue(2, e.totalSeconds);
                updateFile.bindValue(3, e.passedStep);
                updateFile.bindValue(4, e.bestSpm);
                updateFile.bindValue(5, e.seen);
                updateFile.bindValue(6, file);
                if (!exec(updateFile, outcome))
                    return false;
            }
            if (!insertEntry(addRow, file, e, outcome))
                return false;
        }
        return true;
    }

    bool insertEntry(QSqlQuery &addRow, qint64 file, const Entry &e, Outcome &outcome)
    {
        const auto interval = [&](auto member) {
            return e.interval ? optionalValue(std::int64_t((*e.interval).*member)) : QVariant();
        };
        addRow.bindValue(0, file);
        addRow.bindValue(1, e.seen);
        addRow.bindValue(2, e.since);
        addRow.bindValue(3, e.series);
        addRow.bindValue(4, e.runCount);
        addRow.bindValue(5, e.totalSeconds);
        addRow.bindValue(6, e.passedStep);
        addRow.bindValue(7, e.bestSpm);
        addRow.bindValue(8, interval(&Entry::Interval::runs));
        addRow.bindValue(9, interval(&Entry::Interval::seconds));
        addRow.bindValue(10, interval(&Entry::Interval::steps));
        addRow.bindValue(11, e.interval ? optionalValue(e.interval->spmSum) : QVariant());
        addRow.bindValue(12, e.interval ? optionalValue(e.interval->mistypeSum) : QVariant());
        return exec(addRow, outcome);
    }

    static Entry entryOf(const QSqlQuery &q, int at)
    {
        Entry e;
        e.seen = q.value(at).toLongLong();
        e.since = q.value(at + 1).toLongLong();
        e.series = q.value(at + 2).toInt();
        e.runCount = q.value(at + 3).toInt();
        e.totalSeconds = q.value(at + 4).toInt();
        e.passedStep = q.value(at + 5).toInt();
        e.bestSpm = q.value(at + 6).toInt();
        if (!q.value(at + 7).isNull()) {
            Entry::Interval in;
            in.runs = q.value(at + 7).toLongLong();
            in.seconds = q.value(at + 8).toLongLong();
            in.steps = q.value(at + 9).toLongLong();
            in.spmSum = optionalOf(q.value(at + 10));
            in.mistypeSum = optionalOf(q.value(at + 11));
            e.interval = in;
        }
        return e;
    }

    // Writes with the retry a damaged database needs: moved aside, the write goes to a new one.
    template <typename Write>
    Outcome writing(qint64 now, const Write &write)
    {
        if (!db.isOpen()) {
            Outcome opened = open(now);
            if (opened.failure != Failure::None && opened.failure != Failure::Damaged)
                return opened;
            Outcome written = write();
            if (!written) {
                written.movedAside = opened.movedAside;
                return written;
            }
            return opened;
        }
        Outcome written = write();
        if (written.failure != Failure::Damaged)
            return written;
        Outcome moved = moveAside(now, written);
        if (moved.failure != Failure::Damaged)
            return moved;
        Outcome reopened = openOnce();
        if (reopened)
            reopened = write();
        if (!reopened) {
            reopened.movedAside = moved.movedAside;
            return reopened;
        }
        return moved;
    }

    QDate localDate(qint64 msecs) const { return QDateTime::fromMSecsSinceEpoch(msecs, zone).date(); }

    bool foldEntries(qint64 cutoff, Outcome &outcome)
    {
        QSqlQuery old(db);
        old.setForwardOnly(true);
        old.prepare(QStringLiteral("SELECT rowid, file, %1 FROM observations WHERE seen < ? ORDER BY file, seen, rowid")
                        .arg(QLatin1String(kEntryColumns)));
        old.addBindValue(cutoff);
        if (!exec(old, outcome))
            return false;
        struct Row {
            qint64 rowid, file;
            Entry entry;
        };
        const auto groups = runsToFold<Row>(
            old, [](const QSqlQuery &q) { return Row{q.value(0).toLongLong(), q.value(1).toLongLong(), entryOf(q, 2)}; },
            [this](const Row &last, const Row &next) {
                return last.file == next.file && last.entry.series == next.entry.series
                       && localDate(last.entry.seen) == localDate(next.entry.seen);
            });
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM observations WHERE rowid = ?"));
        QSqlQuery add(db);
        add.prepare(QStringLiteral("INSERT INTO observations(file, %1) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                        .arg(QLatin1String(kEntryColumns)));
        for (const std::vector<Row> &group : groups) {
            Entry folded = group.back().entry;
            folded.since = group.front().entry.since;
            folded.interval.reset();
            bool sumsKnown = true;
            for (const Row &row : group) {
                remove.bindValue(0, row.rowid);
                if (!exec(remove, outcome))
                    return false;
                if (!row.entry.interval)
                    continue;
                const Entry::Interval &in = *row.entry.interval;
                if (!folded.interval)
                    folded.interval = Entry::Interval{0, 0, 0, 0, 0};
                folded.interval->runs += in.runs;
                folded.interval->seconds += in.seconds;
                folded.interval->steps += in.steps;
                if (in.runs > 0 && (!in.spmSum || !in.mistypeSum))
                    sumsKnown = false;
                *folded.interval->spmSum += in.spmSum.value_or(0);
                *folded.interval->mistypeSum += in.mistypeSum.value_or(0);
            }
            if (folded.interval && !sumsKnown) {
                folded.interval->spmSum.reset();
                folded.interval->mistypeSum.reset();
            }
            if (!insertEntry(add, group.front().file, folded, outcome))
                return false;
        }
        return true;
    }

    bool foldStretches(qint64 cutoff, Outcome &outcome)
    {
        QSqlQuery old(db);
        old.setForwardOnly(true);
        old.prepare(QStringLiteral("SELECT rowid, folder, course, first, last FROM stretches WHERE last < ?"
                                   " ORDER BY folder, course, last"));
        old.addBindValue(cutoff);
        if (!exec(old, outcome))
            return false;
        struct Row {
            qint64 rowid, folder;
            int course;
            Stretch stretch;
        };
        const auto groups = runsToFold<Row>(
            old,
            [](const QSqlQuery &q) {
                return Row{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toInt(),
                           {q.value(3).toLongLong(), q.value(4).toLongLong()}};
            },
            [this](const Row &last, const Row &next) {
                return last.folder == next.folder && last.course == next.course
                       && localDate(last.stretch.last) == localDate(next.stretch.last);
            });
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM stretches WHERE rowid = ?"));
        QSqlQuery add(db);
        add.prepare(QStringLiteral("INSERT INTO stretches(folder, course, first, last) VALUES(?, ?, ?, ?)"));
        for (const std::vector<Row> &group : groups) {
            Stretch merged = group.front().stretch;
            for (const Row &row : group) {
                merged.first = std::min(merged.first, row.stretch.first);
                merged.last = std::max(merged.last, row.stretch.last);
                remove.bindValue(0, row.rowid);
                if (!exec(remove, outcome))
                    return false;
            }
            add.bindValue(0, group.front().folder);
            add.bindValue(1, group.front().course);
            add.bindValue(2, merged.first);
            add.bindValue(3, merged.last);
            if (!exec(add, outcome))
                return false;
        }
        return true;
    }

    Outcome foldNow(qint64 now)
    {
        return transaction([&](Outcome &o) {
            const qint64 cutoff = now - kFoldAfterMSecs;
            if (!foldEntries(cutoff, o) || !foldStretches(cutoff, o))
                return false;
            QSqlQuery mark(db);
            mark.prepare(QStringLiteral("INSERT OR REPLACE INTO settings(key, value) VALUES('folded', ?)"));
            mark.addBindValue(now);
            return exec(mark, o);
        });
    }
};

JournalStore::JournalStore(QString path, QTimeZone zone) : d(std::make_unique<Private>())
{
    d->path = std::move(path);
    d->zone = std::move(zone);
}

JournalStore::~JournalStore() = default;

QString JournalStore::path() const
{
    return d->path;
}

bool JournalStore::isOpen() const
{
    return d->db.isValid() && d->db.isOpen();
}

Outcome JournalStore::open(qint64 now)
{
    Outcome opened = d->open(now);
    if (opened.failure != Failure::None && opened.failure != Failure::Damaged)
        return opened;
    Outcome probe;
    const auto folded = d->value(QStringLiteral("SELECT value FROM settings WHERE key = 'folded'"), probe);
    if (folded && (folded->isNull() || now - folded->toLongLong() >= kDayMSecs)) {
        // Folding can wait for the next start: the journal is usable without it.
        d->foldNow(now);
    }
    return opened;
}

Outcome JournalStore::record(const Batch &batch)
{
    return d->writing(batch.seen, [&] {
        const auto ahead = d->readAhead(batch);
        return d->transaction([&](Outcome &o) { return d->writeBatch(batch, ahead, o); });
    });
}

Outcome JournalStore::sight(const QString &folder, int group, qint64 seen)
{
    Batch batch;
    batch.folder = folder;
    batch.group = group;
    batch.seen = seen;
    return record(batch);
}

std::optional<FolderJournal> JournalStore::read(const QString &folder, const QStringList &keys, qint64 since,
                                                Outcome *outcome)
{
    Outcome local;
    Outcome &o = outcome ? *outcome : local;
    o = Outcome{};
    QString movedAside;
    if (!isOpen()) {
        Outcome opened = d->open(QDateTime::currentMSecsSinceEpoch());
        if (opened.failure != Failure::None && opened.failure != Failure::Damaged) {
            o = opened;
            return std::nullopt;
        }
        movedAside = opened.movedAside;
    }
    o.movedAside = movedAside;
    FolderJournal journal;
    const auto id = d->folderId(canonicalFolder(folder), false, o);
    if (!id)
        return std::nullopt;
    if (*id == 0)
        return journal;

    QSqlQuery stretches(d->db);
    stretches.setForwardOnly(true);
    stretches.prepare(QStringLiteral("SELECT course, first, last FROM stretches WHERE folder = ? AND last >= ?"
                                     " ORDER BY first"));
    stretches.addBindValue(*id);
    stretches.addBindValue(since);
    if (!d->exec(stretches, o))
        return std::nullopt;
    while (stretches.next()) {
        const int course = stretches.value(0).toInt();
        if (course == English || course == Kana)
            journal.stretches[std::size_t(course)].push_back(
                {stretches.value(1).toLongLong(), stretches.value(2).toLongLong()});
    }

    QSqlQuery files(d->db);
    files.setForwardOnly(true);
    files.prepare(QStringLiteral("SELECT id, name FROM files WHERE folder = ? ORDER BY name"));
    files.addBindValue(*id);
    if (!d->exec(files, o))
        return std::nullopt;
    const std::set<QString> wanted(keys.begin(), keys.end());
    std::vector<std::pair<qint64, QString>> chosen;
    while (files.next()) {
        const QString name = files.value(1).toString();
        if (wanted.empty() || wanted.count(name))
            chosen.emplace_back(files.value(0).toLongLong(), name);
    }
    std::sort(chosen.begin(), chosen.end(), [](const auto &a, const auto &b) { return a.second < b.second; });

    QSqlQuery entries(d->db);
    entries.setForwardOnly(true);
    entries.prepare(QStringLiteral("SELECT %1 FROM observations WHERE file = ? AND seen >= ? ORDER BY seen, rowid")
                        .arg(QLatin1String(kEntryColumns)));
    journal.files.reserve(chosen.size());
    for (const auto &[fileId, name] : chosen) {
        entries.bindValue(0, fileId);
        entries.bindValue(1, since);
        if (!d->exec(entries, o))
            return std::nullopt;
        FileJournal file;
        file.key = name;
        while (entries.next())
            file.entries.push_back(Private::entryOf(entries, 0));
        entries.finish();
        journal.files.push_back(std::move(file));
    }
    return journal;
}

QStringList JournalStore::learners(const QString &folder, Outcome *outcome)
{
    Outcome local;
    Outcome &o = outcome ? *outcome : local;
    o = Outcome{};
    const auto journal = read(folder, {}, std::numeric_limits<qint64>::max(), &o);
    QStringList names;
    if (!journal)
        return names;
    for (const FileJournal &file : journal->files)
        if (const auto parsed = parseRecordFileName(file.key); parsed && !names.contains(parsed->learnerKey))
            names << parsed->learnerKey;
    return names;
}

Outcome JournalStore::forget(const QString &folder, const QStringList &learners, int *removed)
{
    if (removed)
        *removed = 0;
    return d->writing(QDateTime::currentMSecsSinceEpoch(), [&] {
        return d->transaction([&](Outcome &o) {
            const auto id = d->folderId(canonicalFolder(folder), false, o);
            if (!id)
                return false;
            QSqlQuery files(d->db);
            files.prepare(QStringLiteral("SELECT id, name FROM files WHERE folder = ?"));
            files.addBindValue(*id);
            if (!d->exec(files, o))
                return false;
            std::vector<qint64> gone;
            while (files.next()) {
                const auto parsed = parseRecordFileName(files.value(1).toString());
                if (parsed && learners.contains(parsed->learnerKey))
                    gone.push_back(files.value(0).toLongLong());
            }
            files.finish();
            QSqlQuery dropRows(d->db), dropFile(d->db);
            dropRows.prepare(QStringLiteral("DELETE FROM observations WHERE file = ?"));
            dropFile.prepare(QStringLiteral("DELETE FROM files WHERE id = ?"));
            for (qint64 file : gone) {
                dropRows.bindValue(0, file);
                dropFile.bindValue(0, file);
                if (!d->exec(dropRows, o) || !d->exec(dropFile, o))
                    return false;
            }
            if (removed)
                *removed = int(gone.size());
            return true;
        });
    });
}

Outcome JournalStore::fold(qint64 now)
{
    return d->writing(now, [&] { return d->foldNow(now); });
}

} // namespace qel::history
