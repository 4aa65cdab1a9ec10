#pragma once
// Counts, while it lives, what the record library opens and reads (through its reading hook).

#include "records/readingfile.h"

#include <QString>
#include <map>

namespace qeltest {

struct ReadCounter {
    std::map<QString, int> opens; // successful opens per path
    qint64 bytesRead = 0;

    ReadCounter()
    {
        m_previous = qel::setFileReadObserver([this](const qel::FileReadEvent &e) {
            if (e.kind == qel::FileReadEvent::Opened)
                ++opens[e.path];
            else if (e.kind == qel::FileReadEvent::Read && e.bytes > 0)
                bytesRead += e.bytes;
        });
    }
    ~ReadCounter() { qel::setFileReadObserver(m_previous); }
    ReadCounter(const ReadCounter &) = delete;
    ReadCounter &operator=(const ReadCounter &) = delete;

private:
    qel::FileReadObserver m_previous;
};

} // namespace qeltest
