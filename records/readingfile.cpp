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
    const bool opened = platform::openRegularFile(m_file, path, m_modified, error, &m_missing);
    notify(opened ? FileReadEvent::Opened : FileReadEvent::OpenFailed, path);
    return opened;
}

qint64 ReadingFile::read(char *data, qint64 maxSize)
{
    const qint64 got = m_file.read(data, maxSize);
    notify(FileReadEvent::Read, m_path, got);
    return got;
}

} // namespace qel
