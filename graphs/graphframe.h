#pragma once
// The frame all four pane graphs share, in twips of the pane's inner size.

#include <QColor>
#include <QRectF>
#include <QString>
#include <cstdint>

class QPainter;

namespace qel::graphs {

inline const QColor kPaneBackground(255, 255, 192);
inline const QColor kBlack(0, 0, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kRed(255, 0, 0);
inline const QColor kGreen(0, 255, 0);

struct GraphFrame {
    int width = 0;      // SW
    int height = 0;     // SH
    int base = 0;       // the horizontal axis: SH - 480
    int plotHeight = 0; // SH - 720
    int plotWidth = 0;  // SW - 1200
    int division = 0;   // plotHeight \ 10, lowered to a multiple of 10
    int top = 0;        // base - 10 * division

    static GraphFrame forPane(int widthTwips, int heightTwips);

    // Where the data lines may go: between the vertical axes, from the top grid line down
    // to the horizontal axis.
    QRectF plot() const { return QRectF(QPointF(600, top), QPointF(width - 600, base)); }
    // The top of the captions above the plot: 20, or higher where the top axis label
    // (written 70 above the top grid line) would reach into them.
    double captionTop() const;
};

// Height of the pane font's character cell: 9 pt.
constexpr double kPaneTextHeight = 180;

// Clears the pane and draws the grid and the horizontal axis bar (steps 1 to 3).
// The painter must already be in twips.
void drawFrameBase(QPainter &painter, const GraphFrame &frame);
// The vertical axis bars in their colours (step 4).
void drawAxisBars(QPainter &painter, const GraphFrame &frame, const QColor &left, const QColor &right);
// A solid rectangle between two corners, outline and interior in one colour.
void fillBox(QPainter &painter, double x1, double y1, double x2, double y2, const QColor &colour);

// The pane's font, "ＭＳ ゴシック" 9 pt; the painter must already be in twips.
void usePaneFont(QPainter &painter);
// A number as the pane writes it: its digits after one blank, the place of a sign.
QString numberText(std::int64_t value);
// Text in `colour` with its top-left corner at (x, y).
void writeText(QPainter &painter, double x, double y, const QString &text, const QColor &colour);
// The same on a box of `background` just behind its characters, for a text that has to
// stand on a bar.
void writeTextOn(QPainter &painter, double x, double y, const QString &text, const QColor &colour,
                 const QColor &background);
inline void writeNumber(QPainter &painter, double x, double y, std::int64_t value,
                        const QColor &colour)
{
    writeText(painter, x, y, numberText(value), colour);
}

} // namespace qel::graphs
