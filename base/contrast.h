#pragma once
// Colours that stay readable on whatever ground the system's palette gives (light, dark,
// high contrast): the contrast of two colours as the web's accessibility guidelines measure
// it, and a colour moved towards black or white until it reaches a contrast.

#include <QColor>

namespace qel::colours {

// What text needs against its ground to be read by most people with low vision.
inline constexpr double kTextContrast = 4.5;

// 0 for black to 1 for white, by the sRGB weights.
double relativeLuminance(const QColor &colour);
// 1 (the same) to 21 (black on white), either order.
double contrastRatio(const QColor &a, const QColor &b);

// `wanted` when it stands out from `ground` by `minimum`; else `wanted` mixed with black
// or white (whichever stands out more from the ground) just far enough to. Opaque.
QColor readableOn(const QColor &wanted, const QColor &ground, double minimum = kTextContrast);

// `tint` over `ground` at `share` (0: the ground, 1: the tint). Opaque.
QColor blend(const QColor &ground, const QColor &tint, double share);

} // namespace qel::colours
