#include "reports/pdftext.h"

#include <QFile>
#include <QHash>
#include <QRawFont>

namespace qel::reports {

namespace {

quint32 glyphOf(const QRawFont &font, char32_t c)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&c, 1));
    return glyphs.size() == 1 ? glyphs.front() : 0;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Replaces the destination code of every "<XXXX>" between `from` and `to` that
// `rename` maps to another code. Only 4-digit codes: a replacement keeps the length.
template <typename Rename>
int patchCodes(QByteArray &pdf, qsizetype from, qsizetype to, Rename rename)
{
    int changed = 0;
    for (qsizetype i = from; i + 5 < to; ++i) {
        if (pdf[i] != '<' || pdf[i + 5] != '>')
            continue;
        int code = 0;
        bool hex = true;
        for (int k = 1; k <= 4 && hex; ++k) {
            const int v = hexValue(pdf[i + k]);
            hex = v >= 0;
            code = code * 16 + v;
        }
        if (!hex)
            continue;
        const char32_t better = rename(char32_t(code));
        if (better != char32_t(code) && better <= 0xFFFF) {
            const QByteArray digits = QByteArray::number(uint(better), 16).toUpper().rightJustified(4, '0');
            for (int k = 0; k < 4; ++k)
                pdf[i + 1 + k] = digits[k];
            ++changed;
        }
        i += 5;
    }
    return changed;
}

} // namespace

int repairTextMapping(QByteArray &pdf, const QSet<char32_t> &drawn, const QFont &font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return 0;
    QHash<quint32, char32_t> drawnByGlyph;
    for (char32_t c : drawn) {
        const quint32 glyph = glyphOf(raw, c);
        if (glyph != 0 && c <= 0xFFFF && !drawnByGlyph.contains(glyph))
            drawnByGlyph.insert(glyph, c);
    }
    const auto rename = [&](char32_t code) {
        if (drawn.contains(code))
            return code;
        const quint32 glyph = glyphOf(raw, code);
        return glyph != 0 ? drawnByGlyph.value(glyph, code) : code;
    };

    int changed = 0;
    // Uncompressed ToUnicode maps: codes in the array form of bfrange and in bfchar pairs.
    for (qsizetype at = pdf.indexOf("begincmap"); at >= 0; at = pdf.indexOf("begincmap", at + 1)) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0)
            break;
        for (qsizetype open = pdf.indexOf('[', at); open >= 0 && open < end; open = pdf.indexOf('[', open + 1)) {
            const qsizetype close = pdf.indexOf(']', open);
            if (close < 0 || close > end)
                break;
            changed += patchCodes(pdf, open, close, rename);
        }
        for (qsizetype chars = pdf.indexOf("beginbfchar", at); chars >= 0 && chars < end;
             chars = pdf.indexOf("beginbfchar", chars + 1)) {
            const qsizetype stop = pdf.indexOf("endbfchar", chars);
            if (stop < 0 || stop > end)
                break;
            // Each line is "<glyph> <code>": only the second of each pair is a character.
            for (qsizetype line = chars; line >= 0 && line < stop; line = pdf.indexOf('\n', line + 1)) {
                const qsizetype second = pdf.indexOf("> <", line);
                const qsizetype eol = pdf.indexOf('\n', line + 1);
                if (second < 0 || second > stop || (eol >= 0 && second > eol))
                    continue;
                changed += patchCodes(pdf, second + 2, std::min(second + 8, stop), rename);
            }
        }
        at = end;
    }
    return changed;
}

bool repairPdfTextMapping(const QString &path, const QSet<char32_t> &drawn, const QFont &font,
                          QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray pdf = file.readAll();
    const qsizetype size = pdf.size();
    if (repairTextMapping(pdf, drawn, font) == 0)
        return true;
    if (pdf.size() != size || !file.seek(0) || file.write(pdf) != size || !file.flush()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace qel::reports
