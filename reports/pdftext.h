#pragma once
// Qt names each glyph of a PDF font by the lowest code point the font maps to it. CJK
// fonts share glyphs between ideographs and lower code points (the Kangxi radicals for
// 山, 田, 文, 人 ..., U+2215 for ／), so copied or searched text came out as those.
// This renames such glyphs after the characters that were really drawn.

#include <QFont>
#include <QSet>
#include <QString>

namespace qel::reports {

// Rewrites the text mapping of the PDF at `path` in place (same length, so nothing else
// moves). Entries naming a character that was not drawn get the drawn character of the
// same glyph in `font`. Returns false only when the file cannot be read or written.
bool repairPdfTextMapping(const QString &path, const QSet<char32_t> &drawn, const QFont &font,
                          QString *error = nullptr);

// The same on bytes held in memory; returns the number of entries changed.
int repairTextMapping(QByteArray &pdf, const QSet<char32_t> &drawn, const QFont &font);

} // namespace qel::reports
