#include "history/journal.h"

#include <QDateTime>
#include <QPromise>
#include <QThread>
#include <QTimer>
#include <deque>
#include <map>
#include <set>

namespace qel::history {

// Lives on the journal's thread and owns everything there.
class JournalWorker : public QObject {
public:
    JournalWorker(Journal &journal, const Journal::Settings &settings)
        : m_journal(journal), m_store(settings.path.isEmpty() ? defaultDatabasePath() : settings.path, settings.zone),
          m_clock(settings.clock), m_zone(settings.zone), m_heartbeatMSecs(settings.heartbeatMSecs)
    {
    }

    void start()
    {
        report(m_store.open(m_clock()));
        m_heartbeat = new QTimer(this);
        m_heartbeat->setInterval(m_heartbeatMSecs);
        QObject::connect(m_heartbeat, &QTimer::timeout, this, [this] { beat(); });
    }

    void record(Batch batch)
    {
        m_pending.push_back(std::move(batch));
        flush();
        signalHandled();
    }

    void setLive(const QString &folder, int group, bool live)
    {
        if (live)
            m_live[folder] = group;
        else
            m_live.erase(folder);
        if (m_live.empty())
            m_heartbeat->stop();
        else if (!m_heartbeat->isActive())
            m_heartbeat->start();
    }

    void finish()
    {
        beat(false);
        m_heartbeat->stop();
    }

    JournalStore &store() { return m_store; }
    const QTimeZone &zone() const { return m_zone; }
    QDate today() const { return localDate(m_clock(), m_zone); }

    // Says what went wrong, once for each kind of trouble (every move aside is told).
    void report(const Outcome &outcome)
    {
        if (!outcome.movedAside.isEmpty())
            tell(Journal::damagedText(outcome.movedAside));
        if (outcome.failure == Failure::None || outcome.failure == Failure::Damaged
            || outcome.failure == Failure::Busy || !m_told.insert(outcome.failure).second)
            return;
        tell(outcome.failure == Failure::CannotWrite ? Journal::cannotWriteText()
                                                     : Journal::unavailableText(m_store.path(), outcome.detail));
    }

private:
    // The journal's signals come from the thread it lives on.
    void tell(const QString &text)
    {
        Journal *journal = &m_journal;
        QMetaObject::invokeMethod(journal, [journal, text] { emit journal->notice(text); }, Qt::QueuedConnection);
    }
    void signalHandled()
    {
        Journal *journal = &m_journal;
        QMetaObject::invokeMethod(journal, [journal] { emit journal->handled(); }, Qt::QueuedConnection);
    }

    void beat(bool signal = true)
    {
        for (const auto &[folder, group] : m_live) {
            Batch batch;
            batch.folder = folder;
            batch.group = group;
            batch.seen = m_clock();
            m_pending.push_back(std::move(batch));
        }
        flush();
        if (signal)
            signalHandled();
    }

    // Writes the looks in order. One another writer keeps out waits for the next turn; one
    // that cannot be written (a full disk) is given up, so that the viewer goes on without.
    void flush()
    {
        while (!m_pending.empty()) {
            const Outcome outcome = m_store.record(m_pending.front());
            report(outcome);
            if (outcome.failure == Failure::Busy) {
                while (m_pending.size() > kKeptWhileBusy)
                    m_pending.pop_front();
                return;
            }
            m_pending.pop_front();
        }
    }

    static constexpr std::size_t kKeptWhileBusy = 32;

    Journal &m_journal;
    JournalStore m_store;
    Clock m_clock;
    QTimeZone m_zone;
    int m_heartbeatMSecs;
    QTimer *m_heartbeat = nullptr;
    std::map<QString, int> m_live;
    std::deque<Batch> m_pending;
    std::set<Failure> m_told;
};

namespace {
// Runs `work` on the worker's thread and hands its result to the future.
template <typename T, typename Work>
QFuture<T> ask(JournalWorker *worker, Work work)
{
    auto promise = std::make_shared<QPromise<T>>();
    QFuture<T> future = promise->future();
    promise->start();
    QMetaObject::invokeMethod(worker, [worker, promise, work = std::move(work)] {
        promise->addResult(work(*worker));
        promise->finish();
    }, Qt::QueuedConnection);
    return future;
}
} // namespace

Journal::Journal(Settings settings, QObject *parent) : QObject(parent)
{
    if (!settings.clock)
        settings.clock = systemClock();
    m_clock = settings.clock;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("journal"));
    m_worker = new JournalWorker(*this, settings);
    m_worker->moveToThread(m_thread);
    m_thread->start();
    QMetaObject::invokeMethod(m_worker, [w = m_worker] { w->start(); }, Qt::QueuedConnection);
}

Journal::~Journal()
{
    // Posted after everything queued: the thread ends once all of it is written.
    QMetaObject::invokeMethod(m_worker, [w = m_worker] {
        w->finish();
        delete w;
        QThread::currentThread()->quit();
    }, Qt::QueuedConnection);
    m_thread->wait();
    delete m_thread;
}

void Journal::observe(const QString &folder, int group, const std::vector<TableRow> &rows)
{
    Batch batch;
    batch.folder = folder;
    batch.group = group;
    batch.seen = m_clock();
    batch.files.reserve(rows.size());
    for (const TableRow &row : rows)
        if (auto o = observationOf(row, batch.seen))
            batch.files.push_back(std::move(*o));
    QMetaObject::invokeMethod(m_worker, [w = m_worker, batch = std::move(batch)]() mutable {
        w->record(std::move(batch));
    }, Qt::QueuedConnection);
}

void Journal::setLive(const QString &folder, int group, bool live)
{
    QMetaObject::invokeMethod(m_worker, [w = m_worker, folder, group, live] { w->setLive(folder, group, live); },
                              Qt::QueuedConnection);
}

QFuture<LearnerHistory> Journal::learnerHistory(const QString &folder, const QString &key)
{
    return ask<LearnerHistory>(m_worker, [folder, key](JournalWorker &w) {
        Outcome outcome;
        const auto journal = w.store().read(folder, {key}, 0, &outcome);
        w.report(outcome);
        return history::learnerHistory(journal ? *journal : FolderJournal(), key, w.today(), w.zone());
    });
}

QFuture<WeekComparison> Journal::weekComparison(const QString &folder, const QStringList &keys)
{
    return ask<WeekComparison>(m_worker, [folder, keys](JournalWorker &w) {
        const QDate today = w.today();
        Outcome outcome;
        const auto journal = w.store().read(folder, keys, comparisonStart(today, w.zone()), &outcome);
        w.report(outcome);
        return compareWeeks(journal ? *journal : FolderJournal(), keys, today, w.zone());
    });
}

namespace {
// The learners with a journal in the folder whose record files are all gone.
std::optional<QStringList> withoutFiles(JournalStore &store, const QString &folder, Outcome &outcome)
{
    const ScanResult scan = scanFolder(folder, AllGroup);
    if (!scan.listing.complete())
        return std::nullopt;
    // Learners by the bytes of their names: two whose names read alike are two.
    std::set<QString> present;
    for (const TreeNode &node : scan.nodes)
        present.insert(learnerKeyOf(node.key));
    QStringList gone;
    for (const QString &name : store.learners(folder, &outcome))
        if (!present.count(name))
            gone << name;
    if (outcome.failure != Failure::None && outcome.failure != Failure::Damaged)
        return std::nullopt;
    return gone;
}
} // namespace

QFuture<std::optional<QStringList>> Journal::learnersWithoutFiles(const QString &folder)
{
    return ask<std::optional<QStringList>>(m_worker, [folder](JournalWorker &w) {
        Outcome outcome;
        auto gone = withoutFiles(w.store(), folder, outcome);
        w.report(outcome);
        return gone;
    });
}

QFuture<std::optional<int>> Journal::forgetLearners(const QString &folder, const QStringList &learners)
{
    return ask<std::optional<int>>(m_worker, [folder, learners](JournalWorker &w) -> std::optional<int> {
        Outcome outcome;
        // Only those who still have no record file: one may have come back meanwhile.
        const auto gone = withoutFiles(w.store(), folder, outcome);
        w.report(outcome);
        if (!gone)
            return std::nullopt;
        QStringList chosen;
        for (const QString &name : learners)
            if (gone->contains(name))
                chosen << name;
        int removed = 0;
        const Outcome forgotten = w.store().forget(folder, chosen, &removed);
        w.report(forgotten);
        if (forgotten.failure != Failure::None && forgotten.failure != Failure::Damaged)
            return std::nullopt;
        return removed;
    });
}

QString Journal::damagedText(const QString &movedAside)
{
    //: %1: where the damaged database file now lies.
    return tr("練習の記録のデータベースが壊れていたため、「%1」に移して新しく記録を始めました。").arg(movedAside);
}

QString Journal::cannotWriteText()
{
    return tr("練習の記録を保存できません（ディスクがいっぱいか、書き込みに失敗しました）。記録を残さずに表示を続けます。");
}

QString Journal::unavailableText(const QString &path, const QString &detail)
{
    //: %1: the database file, %2: what went wrong (the system's words).
    return tr("練習の記録のデータベース「%1」を使えません（%2）。記録を残さずに表示を続けます。").arg(path, detail);
}

} // namespace qel::history
