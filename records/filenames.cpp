#include "records/filenames.h"

#include "records/cp932.h"

#include <QStringList>

namespace qel {

namespace {

constexpr char16_t kHeldByte = 0xDC00;

bool isHeldByte(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    // A low surrogate after a high one is half of a character, not a byte.
    return c >= kHeldByte + 0x80 && c <= kHeldByte + 0xFF && !(i > 0 && text[i - 1].isHighSurrogate());
}

// Length of the valid UTF-8 sequence at `at` (RFC 3629: no overlong forms, no surrogates,
// nothing above U+10FFFF); 0 when there is none.
int sequenceLength(const unsigned char *p, qsizetype left)
{
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    const auto follows = [&](qsizetype i, unsigned char low = 0x80, unsigned char high = 0xBF) {
        return i < left && p[i] >= low && p[i] <= high;
    };
    if (b >= 0xC2 && b <= 0xDF)
        return follows(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const unsigned char low = b == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = b == 0xED ? 0x9F : 0xBF;
        return follows(1, low, high) && follows(2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char low = b == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b == 0xF4 ? 0x8F : 0xBF;
        return follows(1, low, high) && follows(2) && follows(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

QString fileNameFromBytes(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    QString text;
    text.reserve(n);
    qsizetype from = 0; // start of the valid stretch not yet taken
    for (qsizetype i = 0; i < n;) {
        if (const int length = sequenceLength(p + i, n - i)) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + from, i - from);
        text += QChar(char16_t(kHeldByte + p[i]));
        from = ++i;
    }
    text += QString::fromUtf8(bytes.constData() + from, n - from);
    return text;
}

QByteArray fileNameToBytes(const QString &name)
{
    if (!holdsRawBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype from = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isHeldByte(name, i))
            continue;
        bytes += QStringView(name).mid(from, i - from).toUtf8();
        bytes += char(name[i].unicode() - kHeldByte);
        from = i + 1;
    }
    bytes += QStringView(name).mid(from).toUtf8();
    return bytes;
}

bool holdsRawBytes(const QString &name)
{
#ifdef Q_OS_WIN
    (void)name;
    return false; // a Windows name is its text
#else
    for (qsizetype i = 0; i < name.size(); ++i)
        if (name[i].isLowSurrogate() && isHeldByte(name, i))
            return true;
    return false;
#endif
}

QString shownFileName(const QString &name)
{
    return holdsRawBytes(name) ? fromCp932(fileNameToBytes(name)) : name;
}

QString shownPath(const QString &path)
{
    if (!holdsRawBytes(path))
        return path;
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString &part : parts)
        part = shownFileName(part);
    return parts.join(QLatin1Char('/'));
}

} // namespace qel
