#include "reports/pagegeometry.h"

#include "base/painting.h"
#include "records/textformat.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <algorithm>

namespace qel::reports {

PageMetrics pageMetrics(const QPagedPaintDevice &device)
{
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    // In full-page mode the paint rectangle is the whole page and the offset is 0.
    const QRectF full = layout.fullRect(QPageLayout::Inch);
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    PageMetrics m;
    m.paperWidthPixels = qRound(full.width() * dpiX);
    m.paperHeightPixels = qRound(full.height() * dpiY);
    m.offsetXPixels = qRound(paint.left() * dpiX);
    m.offsetYPixels = qRound(paint.top() * dpiY);
    m.twipsPerPixelX = dpiX > 0 ? draw::kTwipsPerInch / dpiX : 1;
    m.twipsPerPixelY = dpiY > 0 ? draw::kTwipsPerInch / dpiY : 1;
    return m;
}

int pixelsToMillimetres(double pixels, double twipsPerPixel)
{
    return int(roundHalfEven(pixels * twipsPerPixel / draw::kTwipsPerMillimetre));
}

PageGeometry pageGeometry(int paperWidth, int paperHeight, int offsetX, int offsetY)
{
    PageGeometry g;
    g.paperWidth = paperWidth;
    g.paperHeight = paperHeight;
    g.offsetX = offsetX;
    g.offsetY = offsetY;
    g.left = 20 - offsetX;
    g.top = 15 - offsetY;
    g.right = paperWidth - offsetX - 10;
    g.bottom = paperHeight - offsetY - 20;
    g.graphStep = draw::mmToTwips((g.bottom - g.top - 88) / 2 - 8) / 10;
    return g;
}

PageGeometry pageGeometry(const PageMetrics &m)
{
    return pageGeometry(pixelsToMillimetres(m.paperWidthPixels, m.twipsPerPixelX),
                        pixelsToMillimetres(m.paperHeightPixels, m.twipsPerPixelY),
                        pixelsToMillimetres(m.offsetXPixels, m.twipsPerPixelX),
                        pixelsToMillimetres(m.offsetYPixels, m.twipsPerPixelY));
}

PageGeometry pageGeometry(const QPagedPaintDevice &device)
{
    return pageGeometry(pageMetrics(device));
}

namespace {
// The group page never starts outside the printable area.
PageGeometry clampedToPrintable(PageGeometry g)
{
    g.left = std::max(g.left, 0);
    g.top = std::max(g.top, 0);
    return g;
}
}

PageGeometry groupPageGeometry(int paperWidth, int paperHeight, int offsetX, int offsetY)
{
    return clampedToPrintable(pageGeometry(paperWidth, paperHeight, offsetX, offsetY));
}

PageGeometry groupPageGeometry(const PageMetrics &m)
{
    return clampedToPrintable(pageGeometry(m));
}

PageGeometry groupPageGeometry(const QPagedPaintDevice &device)
{
    return groupPageGeometry(pageMetrics(device));
}

} // namespace qel::reports
