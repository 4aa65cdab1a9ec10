#include "reports/printdraw.h"

#include "base/painting.h"
#include "graphs/runline.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qel::reports {

QPen printPen(const QPainter &painter, const QColor &colour, int drawWidth, Qt::PenStyle style)
{
    const QPaintDevice *device = painter.device();
    const double dpi = device ? device->logicalDpiX() : kLinePixelsPerInch;
    const double unitsToDevice = std::abs(painter.worldTransform().m11());
    const double devicePixels = drawWidth * dpi / kLinePixelsPerInch;
    QPen pen(colour);
    pen.setWidthF(unitsToDevice > 0 ? devicePixels / unitsToDevice : devicePixels);
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void setLine(QPainter &painter, int drawWidth, const QColor &colour, Qt::PenStyle style)
{
    painter.setPen(printPen(painter, colour, drawWidth, style));
}

void setPrintFont(QPainter &painter, double points)
{
    draw::setFont(painter, draw::kGothic, points, false);
}

namespace {
thread_local TextLog *currentLog = nullptr;
}

TextLog::TextLog() : m_outer(currentLog)
{
    currentLog = this;
}

TextLog::~TextLog()
{
    currentLog = m_outer;
}

void TextLog::add(const QString &text)
{
    for (char32_t c : text.toUcs4())
        m_characters.insert(c);
    if (m_outer)
        m_outer->add(text);
}

void textAt(QPainter &painter, double x, double y, const QString &text)
{
    if (currentLog)
        currentLog->add(text);
    const QFont font = painter.font();
    const QPaintDevice *device = painter.device();
    const double dpi = device ? device->logicalDpiY() : 96.0;
    const double em = font.pointSizeF() > 0 ? font.pointSizeF() * dpi / 72.0 : font.pixelSize();
    painter.drawText(QPointF(x, y + kCellAscent * em), text);
}

void drawBox(QPainter &painter, double x1, double y1, double x2, double y2)
{
    painter.drawRect(QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                            QPointF(std::max(x1, x2), std::max(y1, y2))));
}

void drawHatchedBox(QPainter &painter, double x1, double y1, double x2, double y2)
{
    const QRectF box(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
    const QPen hatch = printPen(painter, Qt::black, 1);
    const double pixel = hatch.widthF();
    const double step = 8 * pixel;
    painter.save();
    painter.setPen(hatch);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Lines x - y = c and x + y = c, cut at the box: each part lies inside it.
    const auto cut = [&](QLineF line) {
        if (const auto inside = graphs::clipSegment(line, box))
            painter.drawLine(*inside);
    };
    if (box.width() > 0 && box.height() > 0) {
        const double span = box.width() + box.height();
        for (double c = std::floor((box.left() - box.bottom()) / step) * step; c <= box.right() - box.top(); c += step)
            cut(QLineF(QPointF(box.top() + c, box.top()), QPointF(box.top() + c + span, box.top() + span)));
        for (double c = std::floor((box.left() + box.top()) / step) * step; c <= box.right() + box.bottom(); c += step)
            cut(QLineF(QPointF(c - box.top(), box.top()), QPointF(c - box.top() - span, box.top() + span)));
    }
    painter.restore();
    painter.save();
    painter.setBrush(Qt::NoBrush);
    drawBox(painter, box.left(), box.top(), box.right(), box.bottom());
    painter.restore();
}

} // namespace qel::reports
