#pragma once

#include <QColor>
#include <QImage>

namespace tessarin::DesktopPictureDrawing {

// A landscape in the hues of `base`: a sky lit from the upper right over three layers of hills,
// the nearest darkest. Equal arguments give equal pictures; the hills' outline follows the colour,
// so two screens' pictures differ in shape as well as hue.
QImage draw(const QColor& base, int width, int height);

} // namespace tessarin::DesktopPictureDrawing
