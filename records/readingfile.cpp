#include "records/readingfile.h"

#include "records/platform.h"

namespace qel {

namespace {
FileReadObserver &observer()
{
    static FileReadObserver current;
    return current;
}

void notify(FileReadEvent::Kind kind, const QString &path, qint64 bytes = 0)
{
    if (observer())
        observer()({kind, path, bytes});
}
}

FileReadObserver setFileReadObserver(FileReadObserver replacement)
{
    return std::exchange(observer(), std::move(replacement));
}

bool ReadingFile::open(const QString &path, QString *error)
{
    m_path = path;
    const bool opened = platform::openRegularFile(m_file, path, error);
    notify(opened ? FileReadEvent::Opened : FileReadEvent::OpenFailed, path);
    return opened;
}

qint64 ReadingFile::read(char *data, qint64 maxSize)
{
    const qint64 got = m_file.read(data, maxSize);
    notify(FileReadEvent::Read, m_path, got);
    return got;
}

qint64 ReadingFile::readFully(char *data, qint64 maxSize)
{
    qint64 total = 0;
    while (total < maxSize) {
        const qint64 got = read(data + total, maxSize - total);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

QDateTime ReadingFile::lastModified() const
{
    return m_file.fileTime(QFileDevice::FileModificationTime);
}

} // namespace qel
