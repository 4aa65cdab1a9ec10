#pragma once
// Counts, while it lives, what the record library opens and reads (through its reading hook).

#include "records/readingfile.h"

#include <QString>
#include <map>
#include <mutex>
#include <thread>

namespace qeltest {

// Files are read on many threads; the counts are kept under a lock, and the opens made on
// the thread that made the counter are counted apart.
struct ReadCounter {
    std::map<QString, int> opens; // successful opens per path
    qint64 bytesRead = 0;
    int opensOnThisThread = 0;

    ReadCounter()
    {
        m_previous = qel::setFileReadObserver([this, thread = std::this_thread::get_id()](const qel::FileReadEvent &e) {
            const std::lock_guard guard(m_lock);
            if (e.kind == qel::FileReadEvent::Opened) {
                ++opens[e.path];
                if (std::this_thread::get_id() == thread)
                    ++opensOnThisThread;
            } else if (e.kind == qel::FileReadEvent::Read && e.bytes > 0) {
                bytesRead += e.bytes;
            }
        });
    }
    ~ReadCounter() { qel::setFileReadObserver(m_previous); }
    ReadCounter(const ReadCounter &) = delete;
    ReadCounter &operator=(const ReadCounter &) = delete;

private:
    qel::FileReadObserver m_previous;
    std::mutex m_lock;
};

} // namespace qeltest
