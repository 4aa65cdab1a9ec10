#include "tests/graphs/drawing.h"

#include "base/painting.h"

#include <algorithm>
#include <iterator>

namespace qel::test {

Drawing PaneDevice::drawing() const
{
    Drawing out;
    const Painting &painting = this->painting();
    for (const PaintedLine &l : painting.lines)
        out.lines.push_back({l.line, l.state.pen.color(), l.state.pen.widthF()});
    for (const PaintedRect &r : painting.rects)
        out.rects.push_back({r.rect, r.state.pen.style() == Qt::NoPen ? QColor() : r.state.pen.color(),
                             r.state.brush.color(), r.state.brush.style() != Qt::NoBrush});
    for (const PaintedText &t : painting.texts)
        out.texts.push_back({QPointF(t.baseline.x(), t.baseline.y() - draw::baselineOffset(t.font, this)), t.end.x(),
                             t.text, t.state.pen.color(), t.font.family()});
    for (const PaintedPolyline &p : painting.polylines)
        out.polylines.push_back({p.points, p.state.pen.color(), p.state.pen.widthF()});
    return out;
}

namespace {

template <class Item, class Keep> std::vector<Item> select(const std::vector<Item> &items, Keep keep)
{
    std::vector<Item> out;
    std::copy_if(items.begin(), items.end(), std::back_inserter(out), keep);
    return out;
}

} // namespace

std::vector<DrawnLine> Drawing::linesIn(const QColor &colour) const
{
    return select(lines, [&](const DrawnLine &l) { return l.colour == colour; });
}

std::vector<DrawnRect> Drawing::rectsIn(const QColor &colour) const
{
    return select(rects, [&](const DrawnRect &r) { return r.brush == colour && r.filled; });
}

std::vector<DrawnText> Drawing::textsIn(const QColor &colour) const
{
    return select(texts, [&](const DrawnText &t) { return t.colour == colour; });
}

const DrawnText *Drawing::findText(const QString &text) const
{
    for (const auto &t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

std::vector<DrawnText> Drawing::textsEqual(const QString &text) const
{
    return select(texts, [&](const DrawnText &t) { return t.text == text; });
}

} // namespace qel::test
