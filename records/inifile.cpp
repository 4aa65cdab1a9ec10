#include "records/inifile.h"

#include "records/readingfile.h"

namespace qel {

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray trimmed(const QByteArray &text)
{
    int begin = 0, end = int(text.size());
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// Names compare by ASCII case only; a byte of a two-byte character is never folded.
QByteArray foldCase(const QByteArray &name)
{
    QByteArray folded = name;
    for (char &c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

constexpr int kTextBuffer = 1024;
}

IniFile IniFile::load(const QString &path)
{
    ReadingFile file;
    if (!file.open(path))
        return IniFile();
    // A settings file is small; anything past 1 MiB is not one the trainer wrote.
    QByteArray contents(1 << 20, Qt::Uninitialized);
    const qint64 got = file.read(contents.data(), contents.size());
    if (got < 0)
        return IniFile();
    contents.truncate(got);
    return parse(contents);
}

IniFile IniFile::parse(const QByteArray &contents)
{
    IniFile ini;
    std::vector<QByteArray> sectionsSeen;
    QByteArray section;
    bool sectionIsRepeat = false;
    bool inSection = false;
    for (const QByteArray &rawLine : contents.split('\n')) {
        const QByteArray line = trimmed(rawLine);
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            const int close = int(line.indexOf(']'));
            section = foldCase(trimmed(close < 0 ? line.mid(1) : line.mid(1, close - 1)));
            sectionIsRepeat = false;
            for (const QByteArray &seen : sectionsSeen)
                sectionIsRepeat = sectionIsRepeat || seen == section;
            if (!sectionIsRepeat)
                sectionsSeen.push_back(section);
            inSection = true;
            continue;
        }
        if (!inSection || sectionIsRepeat)
            continue;
        const int eq = int(line.indexOf('='));
        if (eq < 0)
            continue;
        const QByteArray key = foldCase(trimmed(line.left(eq)));
        if (key.isEmpty())
            continue;
        bool duplicate = false;
        for (const Entry &e : ini.m_entries)
            duplicate = duplicate || (e.section == section && e.key == key);
        if (duplicate)
            continue;
        QByteArray value = trimmed(line.mid(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
            && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        ini.m_entries.push_back({section, key, value});
    }
    return ini;
}

std::optional<QByteArray> IniFile::value(const QByteArray &section, const QByteArray &key) const
{
    const QByteArray s = foldCase(section), k = foldCase(key);
    for (const Entry &e : m_entries)
        if (e.section == s && e.key == k)
            return e.value;
    return std::nullopt;
}

QByteArray IniFile::text(const QByteArray &section, const QByteArray &key,
                         const QByteArray &fallback) const
{
    const std::optional<QByteArray> found = value(section, key);
    if (!found)
        return fallback;
    QByteArray text = *found;
    const int nul = int(text.indexOf('\0'));
    if (nul >= 0)
        text.truncate(nul);
    if (text.size() > kTextBuffer - 1)
        text.truncate(kTextBuffer - 1);
    return text;
}

short IniFile::integer(const QByteArray &section, const QByteArray &key, short fallback) const
{
    const std::optional<QByteArray> found = value(section, key);
    return found ? profileInteger(*found) : fallback;
}

short profileInteger(const QByteArray &value)
{
    int i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    unsigned int magnitude = 0; // wraps like the platform's unsigned profile integer
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = magnitude * 10u + unsigned(value[i] - '0');
    const unsigned int result = negative ? 0u - magnitude : magnitude;
    return short(static_cast<unsigned short>(result & 0xffffu));
}

} // namespace qel
