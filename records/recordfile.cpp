#include "records/recordfile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace qel {

std::int32_t highWordFirstLong(const unsigned char *b)
{
    const std::uint32_t v = (std::uint32_t(b[1]) << 24) | (std::uint32_t(b[0]) << 16)
                          | (std::uint32_t(b[3]) << 8) | std::uint32_t(b[2]);
    return std::int32_t(v);
}

namespace {
constexpr qint64 kHeaderBytes = 3 * 4;
constexpr qint64 kFixedBytes = (kFirstRunRecord - 1) * 4;
// Most files fit in one read of this size (the fixed part and about 800 runs).
constexpr qint64 kFirstChunk = 4096;
}

std::optional<PracticeRecordFile> PracticeRecordFile::read(const QString &path, Scope scope,
                                                           QString *error, Opening opening)
{
    if (opening == Opening::CheckFirst) {
        const QFileInfo info(path);
        if (!info.isFile()) {
            if (error)
                *error = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("file not found");
            return std::nullopt;
        }
    }
    QFile file(path);
    // ReadOnly never creates a missing file; other programs may keep it open for writing.
    // Unbuffered: each read below is one system call.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    // A short read means the end of the file.
    const qint64 first = scope == Scope::Header ? kHeaderBytes
                       : scope == Scope::StepTimes ? kFixedBytes : kFirstChunk;
    QByteArray bytes = file.read(first);
    if (scope == Scope::Everything && bytes.size() == first) {
        const std::int32_t n = highWordFirstLong(reinterpret_cast<const unsigned char *>(bytes.constData()) + 4);
        const qint64 needed = kFixedBytes + std::max<qint64>(n, 0) * 4;
        // Read in pieces, so a huge count in a short file costs only the file's size.
        constexpr qint64 kPiece = qint64(1) << 22;
        while (bytes.size() < needed && file.error() == QFileDevice::NoError) {
            const QByteArray more = file.read(std::min(needed - bytes.size(), kPiece));
            if (more.isEmpty())
                break;
            bytes.append(more);
        }
    }
    if (scope == Scope::Everything && bytes.size() >= 8) {
        const std::int32_t n = highWordFirstLong(reinterpret_cast<const unsigned char *>(bytes.constData()) + 4);
        const qint64 needed = kFixedBytes + std::max<qint64>(n, 0) * 4;
        if (bytes.size() > needed)
            bytes.truncate(needed);
    }
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    PracticeRecordFile result;
    result.m_lastModified = file.fileTime(QFileDevice::FileModificationTime);
    file.close();
    result.m_bytes = std::move(bytes);
    return result;
}

PracticeRecordFile PracticeRecordFile::fromBytes(QByteArray bytes, QDateTime lastModified)
{
    PracticeRecordFile result;
    result.m_bytes = std::move(bytes);
    result.m_lastModified = std::move(lastModified);
    return result;
}

RecordWords PracticeRecordFile::record(std::int64_t n) const
{
    RecordWords words;
    if (n < 1)
        return words;
    const std::int64_t offset = (n - 1) * 4;
    const auto *b = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    const std::int64_t size = m_bytes.size();
    // A record cut by the end of the file keeps the bytes it has; the rest read as zero.
    auto byteAt = [&](std::int64_t i) -> unsigned { return i < size ? b[i] : 0u; };
    if (offset >= size)
        return words;
    words.w0 = std::int16_t(std::uint16_t(byteAt(offset) | (byteAt(offset + 1) << 8)));
    words.w1 = std::int16_t(std::uint16_t(byteAt(offset + 2) | (byteAt(offset + 3) << 8)));
    return words;
}

std::int32_t PracticeRecordFile::readLong(std::int64_t n) const
{
    const RecordWords w = record(n);
    const unsigned char b[4] = {
        static_cast<unsigned char>(std::uint16_t(w.w0) & 0xff),
        static_cast<unsigned char>(std::uint16_t(w.w0) >> 8),
        static_cast<unsigned char>(std::uint16_t(w.w1) & 0xff),
        static_cast<unsigned char>(std::uint16_t(w.w1) >> 8),
    };
    return highWordFirstLong(b);
}

std::int64_t PracticeRecordFile::runCount() const
{
    return std::max<std::int64_t>(storedRunCount(), 0);
}

std::int32_t PracticeRecordFile::stepSeconds(int s) const
{
    if (s < 1 || s > kStepRecords)
        return 0;
    return readLong(kFirstStepRecord - 1 + s);
}

std::int64_t PracticeRecordFile::runsInFile() const
{
    const std::int64_t afterFixed = std::max<std::int64_t>(m_bytes.size() - kFixedBytes, 0);
    return std::min(runCount(), (afterFixed + 3) / 4);
}

} // namespace qel
