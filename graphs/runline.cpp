#include "graphs/runline.h"

#include <QPainter>
#include <cmath>
#include <utility>

namespace qel::graphs {

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

RunLine::RunLine(QPainter &painter, const QPen &pen, Mode mode)
    : m_painter(painter), m_pen(pen), m_mode(mode),
      m_merge(painter.deviceTransform().m11(), painter.deviceTransform().dx())
{
    // Only x decides the column, which needs a transform without rotation or shear.
    if (painter.deviceTransform().type() > QTransform::TxScale)
        m_mode = Mode::EverySegment;
}

void RunLine::addSegment(QPointF point)
{
    if (m_started) {
        m_painter.setPen(m_pen);
        m_painter.drawLine(m_previous, point);
    }
    m_previous = point;
    m_started = true;
}

void RunLine::finish()
{
    if (m_mode == Mode::EverySegment)
        return;
    const std::vector<QPointF> vertices = m_merge.take();
    if (vertices.size() >= 2) {
        m_painter.setPen(m_pen);
        m_painter.drawPolyline(vertices.data(), int(vertices.size()));
    }
}

} // namespace qel::graphs
