#include "tests/reports/pagedrawing.h"

#include "reports/printdraw.h"

#include <cmath>

namespace qel::test {

QPointF DrawnText::topLeft() const
{
    const double em = points * kDeviceDpi / 72.0;
    return {baseline.x(), baseline.y() - reports::kCellAscent * em};
}

PageDrawing PageDevice::drawing() const
{
    PageDrawing out;
    out.page = page();
    const Painting &painting = this->painting();
    for (const PaintedText &t : painting.texts) {
        const QTransform &m = t.state.transform;
        out.texts.push_back({t.state.page, t.text, m.map(t.baseline), t.font.pointSizeF() * std::abs(m.m22()),
                             t.font.family(), t.font.bold(), t.state.pen.color(), m.map(t.end)});
    }
    for (const PaintedLine &l : painting.lines) {
        const PaintState &s = l.state;
        out.lines.push_back({s.page, s.transform.map(l.line), s.pen.widthF() * s.transform.m11(), s.pen.style(),
                             s.pen.color()});
    }
    for (const PaintedRect &r : painting.rects) {
        const PaintState &s = r.state;
        out.rects.push_back({s.page, s.transform.mapRect(r.rect), s.pen.widthF() * s.transform.m11(), s.pen.color(),
                             s.brush.style(), s.brush.color()});
    }
    out.others = painting.others + int(painting.polylines.size());
    return out;
}

bool isHatchedBox(const PageDrawing &drawing, const DrawnRect &box)
{
    if (box.brushStyle != Qt::NoBrush)
        return false;
    const QRectF inside = box.rect.adjusted(-1, -1, 1, 1);
    if (box.rect.height() < 1 || box.rect.width() < 1)
        return true;
    for (const DrawnLine &line : drawing.lines) {
        const double dx = std::abs(line.line.dx()), dy = std::abs(line.line.dy());
        if (line.page == box.page && line.colour == QColor(Qt::black) && std::abs(dx - dy) < 1 && dx > 0
            && inside.contains(line.line.p1()) && inside.contains(line.line.p2()))
            return true;
    }
    return false;
}

std::vector<DrawnRect> hatchedBoxes(const PageDrawing &drawing)
{
    std::vector<DrawnRect> boxes;
    for (const DrawnRect &r : drawing.rects)
        if (isHatchedBox(drawing, r))
            boxes.push_back(r);
    return boxes;
}

} // namespace qel::test
