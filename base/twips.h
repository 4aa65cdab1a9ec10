#pragma once
// Layouts are written in twips (1/1440 inch); this is the one place they become pixels
// and pixels become twips again, at the DPI of a screen or a paint device.

#include <QRect>
#include <QSize>
#include <cmath>

class QPaintDevice;
class QScreen;

namespace qel {

inline constexpr double kTwipsPerInch = 1440.0;

class TwipsScale {
public:
    constexpr TwipsScale(double dpiX = 96, double dpiY = 96) : m_dpiX(dpiX), m_dpiY(dpiY) {}
    // The logical DPI a widget or other paint device draws with.
    explicit TwipsScale(const QPaintDevice *device);
    static TwipsScale ofScreen(const QScreen *screen);

    // Twips to whole pixels, rounded.
    int x(double twips) const { return int(std::lround(twips * m_dpiX / kTwipsPerInch)); }
    int y(double twips) const { return int(std::lround(twips * m_dpiY / kTwipsPerInch)); }
    QRect rect(double left, double top, double width, double height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }
    // Pixels to twips, unrounded.
    double twipsX(double pixels) const { return pixels * kTwipsPerInch / m_dpiX; }
    double twipsY(double pixels) const { return pixels * kTwipsPerInch / m_dpiY; }
    // A pixel size in whole twips.
    QSize twips(QSize pixels) const
    {
        return {int(std::lround(twipsX(pixels.width()))), int(std::lround(twipsY(pixels.height())))};
    }

    double dpiX() const { return m_dpiX; }
    double dpiY() const { return m_dpiY; }

private:
    double m_dpiX, m_dpiY;
};

} // namespace qel
