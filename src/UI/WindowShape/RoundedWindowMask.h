#pragma once

#include <QRegion>
#include <QSize>

class QWidget;

namespace tessarin::RoundedWindowMask {

// The pixels of a rectangle of `size` with corners rounded to `radius`.
QRegion region(QSize size, double radius);

// A rounded, translucent window cut to its shape where the desktop draws no translucency, so
// its corners show what lies behind instead of black; where the desktop composes, the window
// stays whole and its antialiased edge is kept. Called again at each resize.
void apply(QWidget& window, double radius, bool desktopComposites);
// As above, asking this machine's desktop whether it composes.
void apply(QWidget& window, double radius);

} // namespace tessarin::RoundedWindowMask
