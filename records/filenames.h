#pragma once
// File names as the library holds them. On a POSIX system a name is bytes, and the trainer's
// folders copied from Windows keep names in code page 932. A name that is valid UTF-8 is held
// as its text; in any other name each byte that is not part of a valid UTF-8 sequence is held
// as the lone surrogate U+DC00 + byte. So every name has exactly one text and the text gives
// back exactly its bytes: two files whose names read alike are never taken for one, and every
// open, test and move reaches a file by its own bytes. Windows names are UTF-16 already and
// hold no such bytes.

#include <QByteArray>
#include <QString>

namespace qel {

QString fileNameFromBytes(const QByteArray &bytes);
// The bytes of a name or path held so; a character that no listing gives (a lone surrogate
// other than a held byte) becomes U+FFFD.
QByteArray fileNameToBytes(const QString &name);
// Whether the text holds bytes that are not UTF-8.
bool holdsRawBytes(const QString &name);
// What a person is shown of a name: the text itself, or for a name that is not UTF-8 its
// reading in code page 932.
QString shownFileName(const QString &name);
// The same for every part of a path.
QString shownPath(const QString &path);

} // namespace qel
