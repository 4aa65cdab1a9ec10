#include "recordingdevice.h"

#include "printdraw.h"

#include <QTextItem>
#include <cmath>

namespace qel::test {

QPointF DrawnText::topLeft() const
{
    const double em = points * kDeviceDpi / 72.0;
    return {baseline.x(), baseline.y() - reports::kCellAscent * em};
}

void RecordingEngine::updateState(const QPaintEngineState &state)
{
    if (state.state() & DirtyTransform)
        m_transform = state.transform();
    if (state.state() & DirtyPen)
        m_pen = state.pen();
    if (state.state() & DirtyBrush)
        m_brush = state.brush();
}

void RecordingEngine::drawLines(const QLineF *items, int count)
{
    for (int i = 0; i < count; ++i)
        lines.push_back({page, m_transform.map(items[i]), m_pen.widthF() * m_transform.m11(),
                         m_pen.style(), m_pen.color()});
}

void RecordingEngine::drawRects(const QRectF *items, int count)
{
    for (int i = 0; i < count; ++i)
        rects.push_back({page, m_transform.mapRect(items[i]), m_pen.widthF() * m_transform.m11(),
                         m_pen.color(), m_brush.style(), m_brush.color()});
}

void RecordingEngine::drawTextItem(const QPointF &p, const QTextItem &item)
{
    const QFont font = item.font();
    const double scale = std::abs(m_transform.m22());
    const QPointF baseline = m_transform.map(p);
    const QPointF end = m_transform.map(QPointF(p.x() + item.width(), p.y()));
    // QPainter hands over one item per run of script; a run that starts where the last
    // one ended on the same baseline continues the same text.
    if (!texts.empty()) {
        DrawnText &last = texts.back();
        if (last.page == page && std::abs(last.baseline.y() - baseline.y()) < 1e-6
            && std::abs(last.end.x() - baseline.x()) < 1e-3 && last.family == font.family()) {
            last.text += item.text();
            last.end = end;
            return;
        }
    }
    texts.push_back({page, item.text(), baseline, font.pointSizeF() * scale, font.family(),
                     font.bold(), m_pen.color(), end});
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_width;
    case PdmHeight: return m_height;
    case PdmWidthMM: return int(m_width / kPixelsPerMm);
    case PdmHeightMM: return int(m_height / kPixelsPerMm);
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return int(kDeviceDpi);
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}

} // namespace qel::test
