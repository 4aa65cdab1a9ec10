#include "graphs/runline.h"

#include <QPainter>
#include <cmath>

namespace qel::graphs {

RunLine::RunLine(QPainter &painter, const QPen &pen, Mode mode)
    : m_painter(painter), m_pen(pen), m_mode(mode)
{
    const QTransform toDevice = painter.deviceTransform();
    // Only x decides the column, which needs a transform without rotation or shear.
    if (toDevice.type() > QTransform::TxScale)
        m_mode = Mode::EverySegment;
    m_scaleX = toDevice.m11();
    m_shiftX = toDevice.dx();
}

void RunLine::addSlowly(QPointF point)
{
    const std::int64_t at = m_count++;
    if (m_mode == Mode::EverySegment) {
        if (m_started) {
            m_painter.setPen(m_pen);
            m_painter.drawLine(m_previous, point);
        }
        m_previous = point;
        m_started = true;
        return;
    }
    // A new column (the same one is handled inline).
    if (m_started)
        closeColumn();
    m_started = true;
    m_column.index = std::int64_t(std::floor(m_scaleX * point.x() + m_shiftX));
    m_column.first = m_column.last = m_column.low = m_column.high = point;
    m_column.firstAt = m_column.lastAt = m_column.lowAt = m_column.highAt = at;
}

void RunLine::closeColumn()
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

void RunLine::finish()
{
    if (m_mode == Mode::EverySegment || !m_started)
        return;
    closeColumn();
    m_started = false;
    if (m_vertices.size() >= 2) {
        m_painter.setPen(m_pen);
        m_painter.drawPolyline(m_vertices.data(), int(m_vertices.size()));
    }
    m_vertices.clear();
}

} // namespace qel::graphs
