#pragma once
// A series of points joined by straight lines, fed one point at a time.
//
// A long practice history puts hundreds of runs on one device pixel column; drawing each
// segment costs a line call per run for a picture that only shows, per column, a vertical
// stroke from the lowest to the highest point joined to the neighbouring columns. In merged
// mode the points of one column are reduced to at most four (first, lowest and highest in
// the order they came, last) and the whole series goes out as one polyline at finish(),
// which covers the same pixels. Segment mode draws every segment as it arrives.

#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class QPainter;

namespace qel::graphs {

// Data lines stay inside their plot: a run far off the scale (a negative speed, a best
// speed above the axis) would otherwise cross the axis labels and captions.
// The part of `line` inside `clip`, edges included; nothing when it misses `clip`.
std::optional<QLineF> clipSegment(const QLineF &line, const QRectF &clip);
// Draws the parts of a polyline inside `clip`, with the painter's pen.
void drawClippedPolyline(QPainter &painter, std::span<const QPointF> points, const QRectF &clip);

// The reduction of merged mode on its own: points in, the polyline's vertices out.
// Only x decides the column (device x = scaleX * x + shiftX); which point of a column is
// lowest or highest goes by y alone, so any y that is a monotonic function of the drawn y
// picks the same points.
class ColumnMerge {
public:
    ColumnMerge(double scaleX, double shiftX) : m_scaleX(scaleX), m_shiftX(shiftX) {}

    // Inline: a long history calls this a million times, nearly always for the column it
    // is already in.
    void add(QPointF point)
    {
        if (m_started) {
            const double deviceX = m_scaleX * point.x() + m_shiftX;
            auto column = std::int64_t(deviceX);
            column -= deviceX < double(column) ? 1 : 0; // floor
            if (column == m_column.index) {
                const std::int64_t at = m_count++;
                m_column.last = point;
                m_column.lastAt = at;
                if (point.y() < m_column.low.y()) {
                    m_column.low = point;
                    m_column.lowAt = at;
                } else if (point.y() > m_column.high.y()) {
                    m_column.high = point;
                    m_column.highAt = at;
                }
                return;
            }
        }
        startColumn(point);
    }
    // The vertices so far, the last column closed; the merge starts afresh.
    std::vector<QPointF> take();

private:
    struct Column {
        std::int64_t index = 0;
        QPointF first, last, low, high;
        std::int64_t lowAt = 0, highAt = 0, firstAt = 0, lastAt = 0;
    };
    void startColumn(QPointF point);
    void closeColumn();

    double m_scaleX = 1;
    double m_shiftX = 0;
    bool m_started = false;
    std::int64_t m_count = 0;
    Column m_column;
    std::vector<QPointF> m_vertices;
};

class RunLine {
public:
    enum class Mode { Merged, EverySegment };

    // Merged mode needs a painter transform without rotation or shear; with any other it
    // falls back to segment mode. Nothing is drawn outside `clip` (the painter's units).
    RunLine(QPainter &painter, const QPen &pen, Mode mode, const QRectF &clip);

    // Next point, in the painter's units.
    void add(QPointF point)
    {
        if (m_mode == Mode::Merged)
            m_merge.add(point);
        else
            addSegment(point);
    }
    // Draws what merged mode holds back. Segment mode has nothing left to draw.
    void finish();

    Mode mode() const { return m_mode; }

private:
    void addSegment(QPointF point);

    QPainter &m_painter;
    QPen m_pen;
    Mode m_mode;
    QRectF m_clip;
    ColumnMerge m_merge;
    bool m_started = false;
    QPointF m_previous;
};

} // namespace qel::graphs
