#pragma once
// Reader of initialisation files by the Windows profile-file rules: section and key
// names match without regard to case, blanks around keys and values are dropped, the
// first of duplicate keys (and sections) wins, a value in matching quotes loses them,
// lines starting with ';' are comments. Values stay in the file's bytes (code page 932).

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace qel {

class IniFile {
public:
    // A missing or unreadable file, or one that is no regular file, gives an empty profile: every lookup falls back to its default.
    static IniFile load(const QString &path);
    static IniFile parse(const QByteArray &contents);

    std::optional<QByteArray> value(const QByteArray &section, const QByteArray &key) const;
    // Text value, cut at the first NUL and to the 1023 bytes a profile read returns.
    QByteArray text(const QByteArray &section, const QByteArray &key, const QByteArray &fallback) const;
    // Integer value: optional sign and leading decimal digits (no digits gives 0), then
    // held as a signed 16-bit value (larger numbers wrap).
    short integer(const QByteArray &section, const QByteArray &key, short fallback) const;

private:
    struct Entry {
        QByteArray section; // lower case
        QByteArray key;     // lower case
        QByteArray value;
    };
    std::vector<Entry> m_entries;
};

// The integer reading of a profile value text.
short profileInteger(const QByteArray &value);

} // namespace qel
