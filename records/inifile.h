#pragma once
// Reader of initialisation files by the Windows profile-file rules: section and key
// names match without regard to case, blanks around keys and values are dropped, the
// first of duplicate keys (and sections) wins, a value in matching quotes loses them,
// lines starting with ';' are comments. Values stay in the file's bytes (code page 932).

#include "records/readingfile.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace qel {

struct IniKey {
    QByteArray section;
    QByteArray key;
};

// A key as the profile keeps it: section and key in lower case. Comparisons are counted
// (profileKeyComparisons) so tests can check that a lookup does not walk the keys before it.
struct IniEntryName {
    QByteArray section;
    QByteArray key;
    friend bool operator==(const IniEntryName &a, const IniEntryName &b);
};
size_t qHash(const IniEntryName &name, size_t seed = 0);

class IniFile {
public:
    // Reads the whole file in chunks, however long, keeping the values of the `wanted` keys
    // only. A missing file gives an empty profile: every lookup falls back to its default.
    // Nothing, with `error` saying why, for a file that is there but cannot be read (no
    // regular file, no permission, a failing read).
    static std::optional<IniFile> load(const QString &path, std::span<const IniKey> wanted,
                                       QString *error = nullptr);
    // Every key of the text.
    static IniFile parse(const QByteArray &contents);

    std::optional<QByteArray> value(const QByteArray &section, const QByteArray &key) const;
    // Text value, cut at the first NUL and to the 1023 bytes a profile read returns.
    QByteArray text(const QByteArray &section, const QByteArray &key, const QByteArray &fallback) const;
    // Integer value: optional sign and leading decimal digits (no digits gives 0), then
    // held as a signed 16-bit value (larger numbers wrap).
    short integer(const QByteArray &section, const QByteArray &key, short fallback) const;

private:
    friend class IniParser;
    QHash<IniEntryName, QByteArray> m_values;
};

// The integer reading of a profile value text.
short profileInteger(const QByteArray &value);

// Key comparisons made so far on this thread.
std::uint64_t profileKeyComparisons();

} // namespace qel
