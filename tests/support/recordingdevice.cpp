#include "tests/support/recordingdevice.h"

#include <QPaintEngine>
#include <QTextItem>
#include <cmath>

namespace qel::test {

class RecordingEngine : public QPaintEngine {
public:
    // Every feature: the painter hands over its own coordinates and leaves the transform to us.
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &changed) override
    {
        if (changed.state() & DirtyTransform)
            state.transform = changed.transform();
        if (changed.state() & DirtyPen)
            state.pen = changed.pen();
        if (changed.state() & DirtyBrush)
            state.brush = changed.brush();
    }

    // The integer overloads come here through QPaintEngine's own conversions.
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            painting.lines.push_back({lines[i], state});
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            painting.rects.push_back({rects[i], state});
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            painting.polylines.push_back({std::vector<QPointF>(points, points + count), state});
        else
            ++painting.others;
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QPointF end(p.x() + item.width(), p.y());
        if (!painting.texts.empty()) {
            PaintedText &last = painting.texts.back();
            // Compared on the device, where the tolerance means the same for every scale.
            const QPointF gap = state.transform.map(p) - last.state.transform.map(last.end);
            if (last.state.page == state.page && std::abs(gap.y()) < 1e-6 && std::abs(gap.x()) < 1e-3
                && last.state.pen.color() == state.pen.color() && last.font.family() == item.font().family()) {
                last.text += item.text();
                last.end = end;
                return;
            }
        }
        painting.texts.push_back({item.text(), p, end, item.font(), state});
    }
    void drawPath(const QPainterPath &) override { ++painting.others; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { ++painting.others; }
    void drawEllipse(const QRectF &) override { ++painting.others; }

    PaintState state;
    Painting painting;
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

const Painting &RecordingDevice::painting() const
{
    return m_engine->painting;
}

int RecordingDevice::page() const
{
    return m_engine->state.page;
}

bool RecordingDevice::newPage()
{
    ++m_engine->state.page;
    return true;
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

} // namespace qel::test
