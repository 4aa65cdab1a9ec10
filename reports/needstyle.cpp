#include "reports/needstyle.h"

#include "base/contrast.h"

#include <QPainter>
#include <QPainterPath>

namespace qel::reports {

QColor needColour(std::optional<Need> need)
{
    if (!need)
        return {120, 120, 120};
    switch (*need) {
    case Need::Absent:
        return {200, 40, 40};
    case Need::NotToday:
        return {225, 120, 0};
    case Need::BelowTarget:
        return {180, 140, 0};
    case Need::Stuck:
        return {130, 70, 170};
    case Need::Practising:
        return {30, 110, 210};
    case Need::OnTarget:
        return {40, 150, 60};
    }
    return {120, 120, 120};
}

QColor needTint(std::optional<Need> need)
{
    const QColor colour = needColour(need);
    // A tenth of the colour on white.
    auto mix = [](int c) { return 255 - (255 - c) / 8; };
    return {mix(colour.red()), mix(colour.green()), mix(colour.blue())};
}

QColor needTint(std::optional<Need> need, const QColor &ground)
{
    return colours::blend(ground, needColour(need), 1.0 / 8);
}

QColor needInk(std::optional<Need> need, const QColor &ground)
{
    return colours::readableOn(needColour(need).darker(140), ground);
}

void drawNeedSymbol(QPainter &painter, const QRectF &box, std::optional<Need> need)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 16.0, box.height() / 16.0);
    const QColor colour = needColour(need);
    QPen mark(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    mark.setCosmetic(false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    if (!need) {
        // A crossed-out page: what the file holds is unknown.
        painter.drawRect(QRectF(2, 1, 12, 14));
        painter.setPen(mark);
        painter.drawLine(QPointF(5, 5), QPointF(11, 11));
        painter.drawLine(QPointF(11, 5), QPointF(5, 11));
        painter.restore();
        return;
    }
    switch (*need) {
    case Need::Absent: // no entry: a disc with a bar
        painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        painter.setPen(mark);
        painter.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
        break;
    case Need::NotToday: // a clock
        painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        painter.setPen(mark);
        painter.drawLine(QPointF(8, 8), QPointF(8, 3.5));
        painter.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
        break;
    case Need::BelowTarget: { // a warning triangle
        QPainterPath triangle;
        triangle.moveTo(8, 0.5);
        triangle.lineTo(15.5, 15);
        triangle.lineTo(0.5, 15);
        triangle.closeSubpath();
        painter.drawPath(triangle);
        painter.setPen(mark);
        painter.drawLine(QPointF(8, 5.5), QPointF(8, 10));
        painter.drawPoint(QPointF(8, 12.8));
        break;
    }
    case Need::Stuck: { // a flat arrow in a square
        painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        painter.setPen(mark);
        painter.drawLine(QPointF(3.5, 8), QPointF(12, 8));
        painter.drawLine(QPointF(9, 5), QPointF(12, 8));
        painter.drawLine(QPointF(9, 11), QPointF(12, 8));
        break;
    }
    case Need::Practising: { // a keyboard
        painter.drawRoundedRect(QRectF(0.5, 3, 15, 10), 2, 2);
        painter.setBrush(Qt::white);
        for (int row = 0; row < 2; ++row)
            for (int key = 0; key < 4; ++key)
                painter.drawRect(QRectF(2.3 + key * 3.2, 4.8 + row * 2.7, 2.2, 1.7));
        painter.drawRect(QRectF(4.5, 10.2, 7, 1.5));
        break;
    }
    case Need::OnTarget: // a tick in a disc
        painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        painter.setPen(mark);
        painter.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)}));
        break;
    }
    painter.restore();
}

} // namespace qel::reports
