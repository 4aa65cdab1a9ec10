#pragma once
// A paint device that keeps what is drawn on it: texts, lines and rectangles in device
// pixels of a 1440-dpi page, so one pixel is one twip. Page breaks come from the reports'
// new-page callback.

#include <QBrush>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QString>
#include <QTransform>
#include <vector>

namespace qel::test {

constexpr double kDeviceDpi = 1440.0;
// Twips per millimetre of the device (1440 / 25.4), not the layouts' 56.7.
constexpr double kPixelsPerMm = kDeviceDpi / 25.4;

struct DrawnText {
    int page = 0;
    QString text;
    QPointF baseline;   // device pixels
    double points = 0;  // size on the page
    QString family;
    bool bold = false;
    QColor colour;
    QPointF end;        // end of the baseline
    QPointF topLeft() const; // the top of the ＭＳ ゴシック cell
};

struct DrawnLine {
    int page = 0;
    QLineF line;        // device pixels
    double width = 0;   // device pixels
    Qt::PenStyle style = Qt::SolidLine;
    QColor colour;
};

struct DrawnRect {
    int page = 0;
    QRectF rect;        // device pixels
    double penWidth = 0;
    QColor penColour;
    Qt::BrushStyle brushStyle = Qt::NoBrush;
    QColor brushColour;
};

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override;
    void drawLines(const QLineF *lines, int count) override;
    void drawRects(const QRectF *rects, int count) override;
    void drawTextItem(const QPointF &p, const QTextItem &item) override;
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { ++others; }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { ++others; }
    void drawPath(const QPainterPath &) override { ++others; }
    void drawEllipse(const QRectF &) override { ++others; }
    Type type() const override { return QPaintEngine::User; }

    int page = 1;
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<DrawnRect> rects;
    int others = 0; // anything else: the reports draw none of it

private:
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
};

class RecordingDevice : public QPaintDevice {
public:
    // An A4 page unless told otherwise.
    explicit RecordingDevice(double widthMm = 210, double heightMm = 297)
        : m_width(int(widthMm * kPixelsPerMm)), m_height(int(heightMm * kPixelsPerMm)) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    RecordingEngine &engine() { return m_engine; }
    bool newPage() { ++m_engine.page; return true; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_width;
    int m_height;
    mutable RecordingEngine m_engine;
};

// Millimetres to device pixels and back; twips are device pixels.
inline double mm(double millimetres) { return millimetres * kPixelsPerMm; }
inline double toMm(double pixels) { return pixels / kPixelsPerMm; }

} // namespace qel::test
