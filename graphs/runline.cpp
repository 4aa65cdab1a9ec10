#include "graphs/runline.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace qel::graphs {

std::optional<QLineF> clipSegment(const QLineF &line, const QRectF &clip)
{
    // Liang-Barsky: the segment is p1 + t (p2 - p1), t in [0, 1]; each edge narrows t.
    const double dx = line.dx();
    const double dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - clip.left(), clip.right() - line.x1(), line.y1() - clip.top(),
                         clip.bottom() - line.y1()};
    double t0 = 0;
    double t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt; // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    // Ends inside stay exactly as they were.
    const QPointF a = t0 > 0 ? line.pointAt(t0) : line.p1();
    const QPointF b = t1 < 1 ? line.pointAt(t1) : line.p2();
    return QLineF(a, b);
}

void drawClippedPolyline(QPainter &painter, std::span<const QPointF> points, const QRectF &clip)
{
    std::vector<QPointF> piece;
    const auto flush = [&] {
        if (piece.size() >= 2)
            painter.drawPolyline(piece.data(), int(piece.size()));
        piece.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const auto part = clipSegment(QLineF(points[i - 1], points[i]), clip);
        if (!part) {
            flush();
            continue;
        }
        // A piece goes on while the line stays inside; it breaks where the line left.
        if (piece.empty() || piece.back() != part->p1()) {
            flush();
            piece.push_back(part->p1());
        }
        piece.push_back(part->p2());
    }
    flush();
}

void ColumnMerge::startColumn(QPointF point)
{
    const std::int64_t at = m_count++;
    if (m_started)
        closeColumn();
    m_started = true;
    m_column.index = std::int64_t(std::floor(m_scaleX * point.x() + m_shiftX));
    m_column.first = m_column.last = m_column.low = m_column.high = point;
    m_column.firstAt = m_column.lastAt = m_column.lowAt = m_column.highAt = at;
}

void ColumnMerge::closeColumn()
{
    // Path first -> extremes in their order -> last: covers the column's whole range and
    // leaves it where the next column's segment starts.
    auto push = [this](QPointF p, std::int64_t at, std::int64_t &lastPushed) {
        if (at != lastPushed) {
            m_vertices.push_back(p);
            lastPushed = at;
        }
    };
    std::int64_t lastPushed = -1;
    push(m_column.first, m_column.firstAt, lastPushed);
    if (m_column.lowAt <= m_column.highAt) {
        push(m_column.low, m_column.lowAt, lastPushed);
        push(m_column.high, m_column.highAt, lastPushed);
    } else {
        push(m_column.high, m_column.highAt, lastPushed);
        push(m_column.low, m_column.lowAt, lastPushed);
    }
    push(m_column.last, m_column.lastAt, lastPushed);
}

std::vector<QPointF> ColumnMerge::take()
{
    if (m_started)
        closeColumn();
    m_started = false;
    m_count = 0;
    return std::exchange(m_vertices, {});
}

RunLine::RunLine(QPainter &painter, const QPen &pen, Mode mode, const QRectF &clip)
    : m_painter(painter), m_pen(pen), m_mode(mode), m_clip(clip),
      m_merge(painter.deviceTransform().m11(), painter.deviceTransform().dx())
{
    // Only x decides the column, which needs a transform without rotation or shear.
    if (painter.deviceTransform().type() > QTransform::TxScale)
        m_mode = Mode::EverySegment;
}

void RunLine::addSegment(QPointF point)
{
    if (m_started) {
        if (const auto part = clipSegment(QLineF(m_previous, point), m_clip)) {
            m_painter.setPen(m_pen);
            m_painter.drawLine(*part);
        }
    }
    m_previous = point;
    m_started = true;
}

void RunLine::finish()
{
    if (m_mode == Mode::EverySegment)
        return;
    const std::vector<QPointF> vertices = m_merge.take();
    m_painter.setPen(m_pen);
    drawClippedPolyline(m_painter, vertices, m_clip);
}

} // namespace qel::graphs
