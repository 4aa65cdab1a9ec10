#include "runline.h"

#include <QPainter>
#include <cmath>

namespace qel::graphs {

RunLine::RunLine(QPainter &painter, const QPen &pen, Mode mode)
    : m_painter(painter), m_pen(pen), m_mode(mode), m_toDevice(painter.deviceTransform())
{
    if (m_toDevice.type() > QTransform::TxScale)
        m_mode = Mode::EverySegment;
    // Without antialiasing a point lands on the pixel its coordinate rounds to; with it,
    // on the pixel that contains it.
    m_columnShift = 0;
}

void RunLine::add(QPointF point)
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
    // Only x decides the column; the transform has no rotation here.
    const double deviceX = m_toDevice.m11() * point.x() + m_toDevice.dx();
    const auto column = std::int64_t(std::floor(deviceX + m_columnShift));
    if (m_started && column == m_column.index) {
        m_column.last = point;
        m_column.lastAt = at;
        if (point.y() < m_column.low.y()) {
            m_column.low = point;
            m_column.lowAt = at;
        }
        if (point.y() > m_column.high.y()) {
            m_column.high = point;
            m_column.highAt = at;
        }
        return;
    }
    if (m_started)
        closeColumn();
    m_started = true;
    m_column.index = column;
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
