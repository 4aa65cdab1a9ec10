#pragma once
// The program's icon, drawn from the one SVG picture compiled into the program: the window,
// the About box and the icon files the desktop gets all show the same picture.

#include <QIcon>
#include <QImage>

namespace qel {

// Square, on a transparent background.
QImage appIconImage(int side);
QIcon appIcon();

} // namespace qel
