#include "records/readingfile.h"

#include "records/platform.h"

#include <QMutex>
#include <atomic>
#include <memory>

namespace qel {

namespace {
// Reads run on many threads at once; the observer is swapped whole and read as one.
std::shared_ptr<const FileReadObserver> &observerSlot()
{
    static std::shared_ptr<const FileReadObserver> current;
    return current;
}

void notify(FileReadEvent::Kind kind, const QString &path, qint64 bytes = 0)
{
    const auto observer = std::atomic_load(&observerSlot());
    if (observer && *observer)
        (*observer)({kind, path, bytes});
}
}

qint64 FileIdentity::modifiedMSecs() const
{
    constexpr qint64 kPerMSec = 1000000;
    return modified >= 0 ? modified / kPerMSec : -((-modified + kPerMSec - 1) / kPerMSec);
}

FileReadObserver setFileReadObserver(FileReadObserver replacement)
{
    const auto previous = std::atomic_exchange(&observerSlot(),
                                               std::make_shared<const FileReadObserver>(std::move(replacement)));
    return previous ? *previous : FileReadObserver();
}

namespace {
// Listings run on helper threads too; the flag spares them the lock while no test set one.
std::atomic<bool> g_faultSet = false;
QMutex g_faultLock;
ListingFaultInjector g_fault;
}

ListingFaultInjector setListingFaultInjector(ListingFaultInjector injector)
{
    const QMutexLocker lock(&g_faultLock);
    g_faultSet = bool(injector);
    return std::exchange(g_fault, std::move(injector));
}

int injectedListingFault(const QString &folder, std::size_t entriesRead)
{
    if (!g_faultSet.load(std::memory_order_relaxed))
        return 0;
    const QMutexLocker lock(&g_faultLock);
    return g_fault ? g_fault(folder, entriesRead) : 0;
}

bool ReadingFile::open(const QString &path, QString *error)
{
    close();
    m_path = path;
    m_position = 0;
    m_error.clear();
    const bool opened = platform::openRegularFile(path, m_handle, m_identity, &m_error, &m_missing);
    if (error)
        *error = m_error;
    notify(opened ? FileReadEvent::Opened : FileReadEvent::OpenFailed, path);
    return opened;
}

qint64 ReadingFile::read(char *data, qint64 maxSize)
{
    qint64 got = 0;
    while (got < maxSize && m_handle != -1) {
        const qint64 n = platform::readFile(m_handle, data + got, maxSize - got, &m_error);
        if (n < 0) {
            got = -1;
            break;
        }
        got += n;
        m_position += n;
        // Past the size the file had when it was opened a short read is its end; asking
        // once more only to be told so would cost a call per file.
        if (n == 0 || m_position >= m_identity.size)
            break;
    }
    notify(FileReadEvent::Read, m_path, got);
    return got;
}

void ReadingFile::close()
{
    if (m_handle != -1)
        platform::closeFile(m_handle);
    m_handle = -1;
}

QDateTime ReadingFile::lastModified() const
{
    return QDateTime::fromMSecsSinceEpoch(m_identity.modifiedMSecs(), Qt::UTC);
}

} // namespace qel
