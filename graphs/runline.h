#pragma once
// A series of points joined by straight lines, fed one point at a time.
//
// A long practice history puts hundreds of runs on one device pixel column; drawing each
// segment costs a line call per run for a picture that only shows, per column, a vertical
// stroke from the lowest to the highest point joined to the neighbouring columns. In merged
// mode the points of one column are reduced to at most four (first, lowest and highest in
// the order they came, last) and the whole series goes out as one polyline at finish(),
// which covers the same pixels. Segment mode draws every segment as it arrives.

#include <QPen>
#include <QPointF>
#include <QTransform>
#include <cstdint>
#include <vector>

class QPainter;

namespace qel::graphs {

class RunLine {
public:
    enum class Mode { Merged, EverySegment };

    // Merged mode needs a painter transform without rotation or shear; with any other it
    // falls back to segment mode.
    RunLine(QPainter &painter, const QPen &pen, Mode mode);

    // Next point, in the painter's units.
    void add(QPointF point);
    // Draws what merged mode holds back. Segment mode has nothing left to draw.
    void finish();

    Mode mode() const { return m_mode; }

private:
    struct Column {
        std::int64_t index = 0;
        QPointF first, last, low, high;
        std::int64_t lowAt = 0, highAt = 0, firstAt = 0, lastAt = 0;
    };
    void closeColumn();

    QPainter &m_painter;
    QPen m_pen;
    Mode m_mode;
    QTransform m_toDevice;
    double m_columnShift = 0;
    bool m_started = false;
    QPointF m_previous;
    std::int64_t m_count = 0;
    Column m_column;
    std::vector<QPointF> m_vertices;
};

} // namespace qel::graphs
