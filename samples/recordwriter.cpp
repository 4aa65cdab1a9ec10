#include "samples/recordwriter.h"

#include "records/practicehistory.h"

#include <QFile>
#include <algorithm>

namespace qel::samples {

QByteArray highWordFirstBytes(std::int32_t value)
{
    const auto v = std::uint32_t(value);
    QByteArray b(4, '\0');
    b[0] = char((v >> 16) & 0xff);
    b[1] = char((v >> 24) & 0xff);
    b[2] = char(v & 0xff);
    b[3] = char((v >> 8) & 0xff);
    return b;
}

namespace {
QByteArray words(std::int16_t w0, std::int16_t w1)
{
    QByteArray b(4, '\0');
    b[0] = char(std::uint16_t(w0) & 0xff);
    b[1] = char(std::uint16_t(w0) >> 8);
    b[2] = char(std::uint16_t(w1) & 0xff);
    b[3] = char(std::uint16_t(w1) >> 8);
    return b;
}
}

RecordContent risingHistory(int runs)
{
    RecordContent content;
    content.currentStep = 40;
    std::uint32_t seed = 2024;
    content.runs.reserve(std::size_t(std::max(runs, 0)));
    for (int k = 0; k < runs; ++k) {
        seed = seed * 1103515245u + 12345u;
        const int noise = int((seed >> 16) % 80);
        const int spm = 80 + int(300.0 * k / std::max(runs, 1)) + noise;
        content.runs.push_back({std::int16_t(spm), std::int16_t((seed >> 8) % 1500)});
    }
    return content;
}

QByteArray recordBytes(const RecordContent &c)
{
    QByteArray bytes;
    bytes.reserve(int(4 * (216 + c.runs.size())));
    bytes += highWordFirstBytes(c.totalSeconds);
    bytes += highWordFirstBytes(std::int32_t(c.storedRunCount.value_or(std::int64_t(c.runs.size()))));
    bytes += words(std::int16_t(c.currentStep), 0);
    bytes += QByteArray(13 * 4, '\0'); // records 4 to 16
    for (std::int32_t s : c.stepSeconds)
        bytes += highWordFirstBytes(s);
    for (const Run &r : c.runs)
        bytes += words(r.spm, r.mistypeRate);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    if (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime))
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

bool appendRun(const QString &path, Run run)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    if (bytes.size() < 8)
        return false;
    const std::int32_t runs = highWordFirstLong(reinterpret_cast<const unsigned char *>(bytes.constData() + 4));
    bytes.replace(4, 4, highWordFirstBytes(runs + 1));
    const char added[4] = {char(run.spm & 0xFF), char((run.spm >> 8) & 0xFF), char(run.mistypeRate & 0xFF),
                           char((run.mistypeRate >> 8) & 0xFF)};
    bytes.append(added, 4);
    return file.seek(0) && file.write(bytes) == bytes.size();
}

} // namespace qel::samples
