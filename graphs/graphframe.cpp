#include "graphs/graphframe.h"

#include "base/painting.h"

#include <QPainter>
#include <algorithm>

namespace qel::graphs {

GraphFrame GraphFrame::forPane(int widthTwips, int heightTwips)
{
    GraphFrame f;
    f.width = widthTwips;
    f.height = heightTwips;
    f.base = heightTwips - 480;
    f.plotHeight = heightTwips - 720;
    f.plotWidth = widthTwips - 1200;
    f.division = f.plotHeight / 10;
    f.division -= f.division % 10;
    f.top = f.base - 10 * f.division;
    return f;
}

double GraphFrame::captionTop() const
{
    return std::min(20.0, top - 70 - kPaneTextHeight);
}

void fillBox(QPainter &painter, double x1, double y1, double x2, double y2, const QColor &colour)
{
    const QRectF box(QPointF(std::min(x1, x2), std::min(y1, y2)),
                     QPointF(std::max(x1, x2), std::max(y1, y2)));
    painter.save();
    painter.setPen(draw::devicePen(colour, 1));
    painter.setBrush(colour);
    painter.drawRect(box);
    painter.restore();
}

void usePaneFont(QPainter &painter)
{
    draw::setFont(painter, draw::kGothic, 9);
}

QString numberText(std::int64_t value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

void writeText(QPainter &painter, double x, double y, const QString &text, const QColor &colour)
{
    painter.setPen(draw::devicePen(colour, 1));
    draw::drawTextAt(painter, x, y, text);
}

void writeTextOn(QPainter &painter, double x, double y, const QString &text, const QColor &colour,
                 const QColor &background)
{
    const QRectF cell = draw::textCell(painter, QPointF(x, y), text);
    if (!cell.isEmpty())
        fillBox(painter, cell.left(), cell.top(), cell.right(), cell.bottom(), background);
    writeText(painter, x, y, text, colour);
}

void drawFrameBase(QPainter &painter, const GraphFrame &f)
{
    painter.save();
    painter.resetTransform();
    painter.fillRect(painter.viewport(), kPaneBackground);
    painter.restore();
    painter.setPen(draw::devicePen(kBlack, 1));
    for (int i = 1; i <= 10; ++i) {
        const int y = f.base - i * f.division;
        painter.drawLine(QPointF(600, y), QPointF(f.width - 600, y));
    }
    fillBox(painter, 600, f.base, f.width - 600, f.base + 8, kBlack);
}

void drawAxisBars(QPainter &painter, const GraphFrame &f, const QColor &left, const QColor &right)
{
    fillBox(painter, 600, f.top, 592, f.base, left);
    fillBox(painter, f.width - 600, f.top, f.width - 592, f.base, right);
}

} // namespace qel::graphs
