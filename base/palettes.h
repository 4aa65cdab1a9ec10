#pragma once
// Palettes to try the viewer's own colours under, as desktops offer them: a dark theme and a
// high-contrast one. The viewer itself follows whatever palette the system gives; these are
// for its tests and its pictures, shown with Qt's Fusion style.

#include <QPalette>

namespace qel::palettes {

// Light text on dark grey, a blue highlight.
QPalette dark();
// White on black, a yellow highlight with black text.
QPalette highContrast();

} // namespace qel::palettes
