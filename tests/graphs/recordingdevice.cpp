#include "recordingdevice.h"

#include <QPaintEngineState>
#include <QTextItem>
#include <cmath>

#include "painting.h"

namespace qel::test {

class RecordingEngine : public QPaintEngine {
public:
    // Every feature: the painter hands over its own coordinates and leaves the transform to us.
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyFont)
            m_font = state.font();
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawing.lines.push_back({lines[i], m_pen.color(), m_pen.widthF()});
    }
    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawing.lines.push_back({QLineF(lines[i]), m_pen.color(), m_pen.widthF()});
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawing.rects.push_back({rects[i], m_pen.style() == Qt::NoPen ? QColor() : m_pen.color(),
                                     m_brush.color(), m_brush.style() != Qt::NoBrush});
    }
    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF r(rects[i]);
            drawRects(&r, 1);
        }
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode != PolylineMode) {
            ++drawing.otherCalls;
            return;
        }
        drawing.polylines.push_back({std::vector<QPointF>(points, points + count), m_pen.color(),
                                     m_pen.widthF()});
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        std::vector<QPointF> f(points, points + count);
        drawPolygon(f.data(), count, mode);
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        // The painter's drawText() may split a text by script; items that continue the
        // previous one on the same baseline belong to it.
        const double top = p.y() - draw::baselineOffset(item.font(), paintDevice());
        if (!drawing.texts.empty() && m_lastBaseline == p.y() && std::abs(m_lastEnd - p.x()) < 0.5
            && drawing.texts.back().colour == m_pen.color()) {
            drawing.texts.back().text += item.text();
        } else {
            drawing.texts.push_back({QPointF(p.x(), top), item.text(), m_pen.color(), item.font().family()});
        }
        m_lastBaseline = p.y();
        m_lastEnd = p.x() + item.width();
    }
    void drawPath(const QPainterPath &) override { ++drawing.otherCalls; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { ++drawing.otherCalls; }

    Drawing drawing;

private:
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    double m_lastBaseline = -1e300;
    double m_lastEnd = -1e300;
};

RecordingDevice::RecordingDevice(int widthPixels, int heightPixels, int dpi)
    : m_width(widthPixels), m_height(heightPixels), m_dpi(dpi), m_engine(std::make_unique<RecordingEngine>())
{
}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine *RecordingDevice::paintEngine() const
{
    return m_engine.get();
}

const Drawing &RecordingDevice::drawing() const
{
    return m_engine->drawing;
}

void RecordingDevice::clear()
{
    m_engine->drawing = Drawing();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_width;
    case PdmHeight: return m_height;
    case PdmWidthMM: return int(m_width * 25.4 / m_dpi);
    case PdmHeightMM: return int(m_height * 25.4 / m_dpi);
    case PdmNumColors: return 1 << 24;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

std::vector<DrawnLine> Drawing::linesIn(const QColor &colour) const
{
    std::vector<DrawnLine> out;
    for (const auto &l : lines)
        if (l.colour == colour)
            out.push_back(l);
    return out;
}

std::vector<DrawnRect> Drawing::rectsIn(const QColor &colour) const
{
    std::vector<DrawnRect> out;
    for (const auto &r : rects)
        if (r.brush == colour && r.filled)
            out.push_back(r);
    return out;
}

std::vector<DrawnText> Drawing::textsIn(const QColor &colour) const
{
    std::vector<DrawnText> out;
    for (const auto &t : texts)
        if (t.colour == colour)
            out.push_back(t);
    return out;
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
    std::vector<DrawnText> out;
    for (const auto &t : texts)
        if (t.text == text)
            out.push_back(t);
    return out;
}

} // namespace qel::test
