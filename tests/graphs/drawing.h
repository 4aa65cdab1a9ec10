#pragma once
// What a graph drew on the recording device, in the painter's own units (the layouts'
// twips), so that tests can check positions, texts, colours and pen widths.

#include "tests/support/recordingdevice.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
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
    double right = 0; // where its baseline ends
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

    std::vector<DrawnLine> linesIn(const QColor &colour) const;
    std::vector<DrawnRect> rectsIn(const QColor &colour) const;
    std::vector<DrawnText> textsIn(const QColor &colour) const;
    const DrawnText *findText(const QString &text) const;
    // Texts with this exact content.
    std::vector<DrawnText> textsEqual(const QString &text) const;
};

// 96 dpi, like the pane at the usual screen setting: 15 twips a pixel.
class PaneDevice : public RecordingDevice {
public:
    PaneDevice(int widthPixels, int heightPixels) : RecordingDevice(widthPixels, heightPixels, 96) {}
    Drawing drawing() const;
};

} // namespace qel::test
