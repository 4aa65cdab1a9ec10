#include "records/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <vector>

namespace qel {

QString fromCp932(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-31j");
    return decoder.decode(bytes);
}

QByteArray toCp932(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

std::optional<QByteArray> toCp932Exactly(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

bool isCp932LeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}

namespace {
// Offsets at which characters start, plus the end offset.
std::vector<int> characterStarts(const QByteArray &bytes)
{
    std::vector<int> starts;
    int i = 0;
    while (i < bytes.size()) {
        starts.push_back(i);
        i += (isCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size()) ? 2 : 1;
    }
    starts.push_back(int(bytes.size()));
    return starts;
}
}

QByteArray shortenTextName(const QByteArray &cp932)
{
    constexpr int kLongest = 28, kHead = 7, kTail = 17;
    if (cp932.size() <= kLongest)
        return cp932;
    const std::vector<int> starts = characterStarts(cp932);
    int headEnd = 0;
    int tailStart = int(cp932.size());
    for (int s : starts) {
        if (s <= kHead)
            headEnd = s;
        if (s >= cp932.size() - kTail && s < tailStart)
            tailStart = s;
    }
    return cp932.left(headEnd) + QByteArray("\x81\x63") + cp932.mid(tailStart);
}

} // namespace qel
