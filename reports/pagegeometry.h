#pragma once
// Page geometry of a print job in whole millimetres, measured from the top-left corner
// of the printable area, and the graph step in twips.

class QPagedPaintDevice;

namespace qel::reports {

// What a device reports: the physical page and the printable area's offset on it.
struct PageMetrics {
    double paperWidthPixels = 0;
    double paperHeightPixels = 0;
    double offsetXPixels = 0;
    double offsetYPixels = 0;
    double twipsPerPixelX = 1;
    double twipsPerPixelY = 1;
};

// Reads the metrics of a printer or PDF writer: its page layout's full page and the
// top-left corner of its paint rectangle, in its own device pixels.
PageMetrics pageMetrics(const QPagedPaintDevice &device);

// Device pixels to whole millimetres: pixels x twips per pixel / 56.7, halves to even.
int pixelsToMillimetres(double pixels, double twipsPerPixel);

struct PageGeometry {
    int paperWidth = 0;
    int paperHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int graphStep = 0; // twips: the height of one of the ten divisions of a graph

    // A position measured from the paper's edge, as a drawing position.
    int paperX(int millimetres) const { return millimetres - offsetX; }
    int paperY(int millimetres) const { return millimetres - offsetY; }

    // Personal page: the horizontal panel divider and the vertical one.
    int dividerY() const { return (top + bottom + 88) / 2; }
    int centreX() const { return (left + right) / 2; }
    // Panel edges of a Course (0 English on the left, 1 Kana/Romaji on the right).
    int panelLeft(int course) const { return left + (course * (right - left)) / 2; }
    int panelRight(int course) const { return (course * (right - left)) / 2 + (left + right) / 2; }

    // Group page: height of each histogram band (exact, may end in .5) and their width.
    double histogramHeight() const { return (bottom - top - 78) / 2.0; }
    int histogramWidth() const { return right - left - 10; }
};

// The personal report's geometry from paper size and offsets in millimetres.
PageGeometry pageGeometry(int paperWidth, int paperHeight, int offsetX, int offsetY);
PageGeometry pageGeometry(const PageMetrics &metrics);
PageGeometry pageGeometry(const QPagedPaintDevice &device);

// The group report's variant: left and top never fall outside the printable area.
PageGeometry groupPageGeometry(int paperWidth, int paperHeight, int offsetX, int offsetY);
PageGeometry groupPageGeometry(const PageMetrics &metrics);
PageGeometry groupPageGeometry(const QPagedPaintDevice &device);

} // namespace qel::reports
