#pragma once
// The trainer writes its files in Shift-JIS (code page 932).

#include <QByteArray>
#include <QString>
#include <optional>

namespace qel {

QString fromCp932(const QByteArray &bytes);
QByteArray toCp932(const QString &text);
// The code page 932 bytes of `text`; nothing when a character has none.
std::optional<QByteArray> toCp932Exactly(const QString &text);
// True when byte `b` starts a two-byte character.
bool isCp932LeadByte(unsigned char b);
// Shortens a practice-text name longer than 28 bytes to its first 7 bytes, "…" and its
// last 17 bytes. A two-byte character cut by either edge is dropped.
QByteArray shortenTextName(const QByteArray &cp932);

} // namespace qel
