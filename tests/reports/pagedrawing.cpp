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

} // namespace qel::test
