#include "base/contrast.h"

#include <algorithm>
#include <cmath>

namespace qel::colours {

namespace {
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(const QColor &colour)
{
    const QColor c = colour.toRgb();
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor blend(const QColor &ground, const QColor &tint, double share)
{
    const QColor g = ground.toRgb();
    const QColor t = tint.toRgb();
    share = std::clamp(share, 0.0, 1.0);
    const auto mix = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return QColor(mix(g.red(), t.red()), mix(g.green(), t.green()), mix(g.blue(), t.blue()));
}

QColor readableOn(const QColor &wanted, const QColor &ground, double minimum)
{
    QColor start = wanted.toRgb();
    start.setAlpha(255);
    if (contrastRatio(start, ground) >= minimum)
        return start;
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const QColor end = contrastRatio(white, ground) >= contrastRatio(black, ground) ? white : black;
    if (contrastRatio(end, ground) < minimum)
        return end; // nothing reaches it; the most there is
    // Along the way the contrast falls at most once and then only rises (the luminance
    // moves one way), so the mixes that reach it are one stretch ending at `end`.
    double low = 0, high = 1;
    for (int i = 0; i < 12; ++i) {
        const double mid = (low + high) / 2;
        (contrastRatio(blend(start, end, mid), ground) >= minimum ? high : low) = mid;
    }
    return blend(start, end, high);
}

} // namespace qel::colours
