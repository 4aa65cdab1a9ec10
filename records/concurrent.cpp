#include "records/concurrent.h"

#include <QThreadPool>

#include <condition_variable>
#include <cstdlib>
#include <mutex>

namespace qel {

namespace {

constexpr int kDefaultInFlight = 32;

// Never destroyed: a thread caught in a read that a dead server never answers must not hold
// up the end of the program, as a pool's destructor would by waiting for it.
QThreadPool &fileThreads()
{
    static QThreadPool *const pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(filesInFlight());
        p->setExpiryTimeout(30000);
        return p;
    }();
    return *pool;
}

} // namespace

int filesInFlight()
{
    static const int inFlight = [] {
        const char *set = std::getenv("QEL_FILES_IN_FLIGHT");
        const int n = set ? std::atoi(set) : 0;
        return n > 0 && n <= 1024 ? n : kDefaultInFlight;
    }();
    return inFlight;
}

void forEachFile(std::size_t count, const std::function<void(std::size_t)> &work,
                 const std::function<void(std::size_t)> &ended, const std::atomic<bool> *stop)
{
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    if (count <= 1) {
        for (std::size_t i = 0; i < count && !stopped(); ++i)
            work(i);
        if (ended && !stopped())
            ended(count);
        return;
    }

    struct Shared {
        std::atomic<std::size_t> next{0};
        std::mutex lock;
        std::condition_variable changed;
        std::size_t done = 0;    // calls ended
        int workersLeft = 0;     // workers still running
    } shared;
    // A wake-up per file would cost more than the progress is worth.
    constexpr std::size_t kWakeEvery = 64;

    const int workers = int(std::min<std::size_t>(count, std::size_t(filesInFlight())));
    shared.workersLeft = workers;
    for (int w = 0; w < workers; ++w) {
        fileThreads().start([&] {
            for (;;) {
                if (stopped())
                    break;
                const std::size_t i = shared.next.fetch_add(1);
                if (i >= count)
                    break;
                work(i);
                std::lock_guard guard(shared.lock);
                if (++shared.done % kWakeEvery == 0 || shared.done == count)
                    shared.changed.notify_one();
            }
            std::lock_guard guard(shared.lock);
            if (--shared.workersLeft == 0)
                shared.changed.notify_one();
        });
    }

    std::unique_lock guard(shared.lock);
    std::size_t told = 0;
    for (;;) {
        shared.changed.wait(guard, [&] { return shared.workersLeft == 0 || shared.done >= told + kWakeEvery; });
        if (ended && shared.done != told && shared.workersLeft > 0) {
            told = shared.done;
            guard.unlock();
            ended(told);
            guard.lock();
        }
        if (shared.workersLeft == 0)
            break;
    }
    if (ended && !stopped())
        ended(shared.done);
}

} // namespace qel
