#pragma once
// Drawing state shared by the printed pages: line widths in printer pixels, the one
// font family of the pages, numbers with the blank of their sign.

#include "graphs/graphframe.h"

#include <QColor>
#include <QPen>
#include <QSet>
#include <QString>
#include <cstdint>

class QPainter;

namespace qel::reports {

// The layouts give line widths in printer pixels. They are taken as pixels of a
// 300-dpi printer, so a line keeps its thickness on a 600-dpi printer or a PDF.
constexpr double kLinePixelsPerInch = 300.0;

// A pen `drawWidth` printer pixels wide in the painter's current units.
QPen printPen(const QPainter &painter, const QColor &colour, int drawWidth,
              Qt::PenStyle style = Qt::SolidLine);

// Sets the pen; the brush is left alone.
void setLine(QPainter &painter, int drawWidth, const QColor &colour = Qt::black,
             Qt::PenStyle style = Qt::SolidLine);

// "ＭＳ ゴシック", not bold, `points` tall whatever the painter's scale. Call again after
// a change of scale.
void setPrintFont(QPainter &painter, double points);

// Writes text with the top of its character cell at (x, y), the cell of the requested
// "ＭＳ ゴシック": its baseline lies 220/256 em below the top. Substitute fonts have taller
// cells, and placing them by their own ascent would push every text onto the rule below.
constexpr double kCellAscent = 220.0 / 256.0;
void textAt(QPainter &painter, double x, double y, const QString &text);

// Collects the characters textAt writes on this thread while it exists (logs opened
// inside it pass them on), so that a PDF
// file can afterwards name its glyphs by the characters really drawn.
class TextLog {
public:
    TextLog();
    ~TextLog();
    TextLog(const TextLog &) = delete;
    TextLog &operator=(const TextLog &) = delete;
    const QSet<char32_t> &characters() const { return m_characters; }
    void add(const QString &text);

private:
    QSet<char32_t> m_characters;
    TextLog *m_outer = nullptr;
};

// A number printed on its own, as on screen: its digits after one blank.
using graphs::numberText;

// Rectangle between two corners with the current pen and brush.
void drawBox(QPainter &painter, double x1, double y1, double x2, double y2);
// A box cross-hatched in black as a 300-dpi printer's diagonal cross pattern (lines 8 printer
// pixels apart both ways, 1 pixel wide), outlined with the painter's pen. The hatch is drawn
// as lines, not as a pattern brush: a preview that shows the page small would turn a pattern
// into a checkerboard, where lines thin out to grey as on paper seen from afar.
void drawHatchedBox(QPainter &painter, double x1, double y1, double x2, double y2);

} // namespace qel::reports
