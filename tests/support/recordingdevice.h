#pragma once
// A paint device that keeps every call the painter makes on it, in the painter's own units
// with the state it was made in, so that a test can read the drawing in the units it checks:
// the layouts' twips as they were written, or pixels on the page.

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

namespace qel::test {

struct PaintState {
    int page = 1;
    QPen pen;
    QBrush brush;
    QTransform transform; // the painter's units to device pixels
};

struct PaintedLine {
    QLineF line;
    PaintState state;
};

struct PaintedRect {
    QRectF rect;
    PaintState state;
};

struct PaintedPolyline {
    std::vector<QPointF> points;
    PaintState state;
};

// QPainter hands over one item per run of script; a run that starts where the last one
// ended, on the same baseline in the same colour and family, continues the same text.
struct PaintedText {
    QString text;
    QPointF baseline; // where the baseline starts
    QPointF end;      // where it ends
    QFont font;
    PaintState state;
};

struct Painting {
    std::vector<PaintedLine> lines;
    std::vector<PaintedRect> rects;
    std::vector<PaintedText> texts;
    std::vector<PaintedPolyline> polylines;
    int others = 0; // paths, pixmaps, ellipses, filled polygons
};

class RecordingEngine;

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int widthPixels, int heightPixels, int dpi);
    ~RecordingDevice() override;
    QPaintEngine *paintEngine() const override;
    const Painting &painting() const;
    int page() const;
    // Later calls land on the next page.
    bool newPage();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_width, m_height, m_dpi;
    std::unique_ptr<RecordingEngine> m_engine;
};

} // namespace qel::test
