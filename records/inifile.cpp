#include "records/inifile.h"

#include <cstring>
#include <vector>

namespace qel {

namespace {
thread_local std::uint64_t comparisons = 0;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray trimmedFront(const QByteArray &text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    return text.mid(begin);
}

QByteArray trimmed(const QByteArray &text)
{
    QByteArray front = trimmedFront(text);
    qsizetype end = front.size();
    while (end > 0 && isBlank(front[end - 1]))
        --end;
    front.truncate(end);
    return front;
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
// Of a longer line only the head is kept: no value is read past its first 1023 bytes.
constexpr qsizetype kLongestLine = 64 * 1024;
constexpr qint64 kChunkBytes = 64 * 1024;
} // namespace

bool operator==(const IniEntryName &a, const IniEntryName &b)
{
    ++comparisons;
    return a.section == b.section && a.key == b.key;
}

size_t qHash(const IniEntryName &name, size_t seed)
{
    return qHashMulti(seed, name.section, name.key);
}

std::uint64_t profileKeyComparisons()
{
    return comparisons;
}

// Takes the text in pieces of any size and enters each line once it is complete.
class IniParser {
public:
    IniParser(IniFile &ini, std::span<const IniKey> wanted) : m_ini(ini)
    {
        if (wanted.empty())
            return;
        m_wanted.emplace();
        for (const IniKey &k : wanted) {
            m_wanted->insert(IniEntryName{foldCase(k.section), foldCase(k.key)});
            m_wantedSections.insert(foldCase(k.section));
        }
    }

    void feed(const char *data, qsizetype size)
    {
        qsizetype start = 0;
        while (start < size) {
            const auto *lineEnd = static_cast<const char *>(std::memchr(data + start, '\n', std::size_t(size - start)));
            const qsizetype end = lineEnd ? lineEnd - data : size;
            take(data + start, end - start);
            if (!lineEnd)
                return;
            endLine();
            start = end + 1;
        }
    }

    void finish() { endLine(); }

private:
    void take(const char *data, qsizetype size)
    {
        const qsizetype room = std::max<qsizetype>(0, kLongestLine - m_line.size());
        m_line.append(data, std::min(size, room));
        // Past the head only the last non-blank byte matters: a closing quote.
        for (qsizetype i = size - 1; i >= room; --i) {
            if (!isBlank(data[i])) {
                m_lastBeyond = data[i];
                break;
            }
        }
    }

    void endLine()
    {
        enter(m_line, m_lastBeyond);
        m_line.clear();
        m_lastBeyond = 0;
    }

    // `lastBeyond` is the line's last non-blank byte when the line goes on past `head`.
    void enter(const QByteArray &head, char lastBeyond)
    {
        const bool goesOn = lastBeyond != 0;
        const QByteArray line = goesOn ? trimmedFront(head) : trimmed(head);
        if (line.isEmpty() || line.startsWith(';'))
            return;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            m_section = foldCase(trimmed(close < 0 ? line.mid(1) : line.mid(1, close - 1)));
            m_inSection = true;
            m_sectionCounts = !m_wanted || m_wantedSections.contains(m_section);
            // The first of repeated sections is the one read.
            if (m_sectionCounts) {
                const qsizetype before = m_sectionsSeen.size();
                m_sectionsSeen.insert(m_section);
                m_sectionCounts = m_sectionsSeen.size() > before;
            }
            return;
        }
        if (!m_inSection || !m_sectionCounts)
            return;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            return;
        IniEntryName name{m_section, foldCase(trimmed(line.left(eq)))};
        if (name.key.isEmpty() || (m_wanted && !m_wanted->contains(name)) || m_ini.m_values.contains(name))
            return;
        QByteArray value = goesOn ? trimmedFront(line.mid(eq + 1)) : trimmed(line.mid(eq + 1));
        if (!value.isEmpty() && (value.front() == '"' || value.front() == '\'')) {
            if (goesOn && lastBeyond == value.front())
                value.remove(0, 1); // the closing quote lies beyond the head
            else if (!goesOn && value.size() >= 2 && value.back() == value.front())
                value = value.mid(1, value.size() - 2);
        }
        m_ini.m_values.insert(std::move(name), value);
    }

    IniFile &m_ini;
    std::optional<QSet<IniEntryName>> m_wanted; // none: every key
    QSet<QByteArray> m_wantedSections;
    QSet<QByteArray> m_sectionsSeen;
    QByteArray m_section;
    bool m_inSection = false;
    bool m_sectionCounts = false;
    QByteArray m_line;
    char m_lastBeyond = 0;
};

std::optional<IniFile> IniFile::load(const QString &path, std::span<const IniKey> wanted, QString *error)
{
    IniFile ini;
    ReadingFile file;
    if (!file.open(path, error)) {
        if (file.missing())
            return ini;
        return std::nullopt;
    }
    IniParser parser(ini, wanted);
    std::vector<char> chunk(static_cast<std::size_t>(kChunkBytes));
    for (;;) {
        const qint64 got = file.read(chunk.data(), kChunkBytes);
        if (got < 0) {
            if (error)
                *error = file.errorString();
            return std::nullopt;
        }
        if (got == 0)
            break;
        parser.feed(chunk.data(), qsizetype(got));
    }
    parser.finish();
    return ini;
}

IniFile IniFile::parse(const QByteArray &contents)
{
    IniFile ini;
    IniParser parser(ini, {});
    parser.feed(contents.constData(), contents.size());
    parser.finish();
    return ini;
}

std::optional<QByteArray> IniFile::value(const QByteArray &section, const QByteArray &key) const
{
    const auto found = m_values.constFind(IniEntryName{foldCase(section), foldCase(key)});
    if (found == m_values.constEnd())
        return std::nullopt;
    return *found;
}

QByteArray IniFile::text(const QByteArray &section, const QByteArray &key,
                         const QByteArray &fallback) const
{
    const std::optional<QByteArray> found = value(section, key);
    if (!found)
        return fallback;
    QByteArray text = *found;
    const qsizetype nul = text.indexOf('\0');
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
