#pragma once
// What a report drew on the recording device: texts, lines and rectangles in device pixels
// of a 1440-dpi page, so one pixel is one twip. Page breaks come from the reports' new-page
// callback.

#include "tests/support/recordingdevice.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
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

struct PageDrawing {
    int page = 1; // the page drawn last
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<DrawnRect> rects;
    int others = 0; // anything else: the reports draw none of it
};

// The boxes the reports hatch (drawHatchedBox): outlined, not filled, with black diagonal
// lines inside; a box of no height has no room for them.
bool isHatchedBox(const PageDrawing &drawing, const DrawnRect &box);
std::vector<DrawnRect> hatchedBoxes(const PageDrawing &drawing);

class PageDevice : public RecordingDevice {
public:
    // An A4 page unless told otherwise.
    explicit PageDevice(double widthMm = 210, double heightMm = 297)
        : RecordingDevice(int(widthMm * kPixelsPerMm), int(heightMm * kPixelsPerMm), int(kDeviceDpi))
    {
    }
    PageDrawing drawing() const;
};

// Millimetres to device pixels and back; twips are device pixels.
inline double mm(double millimetres) { return millimetres * kPixelsPerMm; }
inline double toMm(double pixels) { return pixels / kPixelsPerMm; }

} // namespace qel::test
