#pragma once
// A paint device that keeps what is drawn on it, in the painter's own units (twips for the
// graphs), so that tests can check positions, texts, colours and pen widths.

#include <QColor>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

namespace qel::test {

struct DrawnLine {
    QLineF line;
    QColor colour;
    double penWidth = 0; // device pixels (cosmetic pens)
};

struct DrawnRect {
    QRectF rect;
    QColor pen;
    QColor brush;
    bool filled = false;
};

struct DrawnText {
    QPointF topLeft; // the position the text was written at
    QString text;
    QColor colour;
    QString family;
};

struct DrawnPolyline {
    std::vector<QPointF> points;
    QColor colour;
    double penWidth = 0;
};

struct Drawing {
    std::vector<DrawnLine> lines;
    std::vector<DrawnRect> rects;
    std::vector<DrawnText> texts;
    std::vector<DrawnPolyline> polylines;
    int otherCalls = 0; // paths, pixmaps, points: nothing the graphs should use

    std::vector<DrawnLine> linesIn(const QColor &colour) const;
    std::vector<DrawnRect> rectsIn(const QColor &colour) const;
    std::vector<DrawnText> textsIn(const QColor &colour) const;
    const DrawnText *findText(const QString &text) const;
    // Texts with this exact content.
    std::vector<DrawnText> textsEqual(const QString &text) const;
};

class RecordingEngine;

// 96 dpi, like the pane at the usual screen setting: 15 twips a pixel.
class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int widthPixels, int heightPixels, int dpi = 96);
    ~RecordingDevice() override;
    QPaintEngine *paintEngine() const override;
    const Drawing &drawing() const;
    void clear();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_width, m_height, m_dpi;
    std::unique_ptr<RecordingEngine> m_engine;
};

} // namespace qel::test
