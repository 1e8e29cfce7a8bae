#pragma once

#include "Model/Settings/OSDAppearanceMode.h"

#include <QRectF>

class QPainter;

namespace tessarin {

// The miniature desktop of an appearance mode: wallpaper, a menu bar and a window; the
// automatic mode shows the light half on the left and the dark half on the right.
void drawOSDAppearancePreview(QPainter& painter, OSDAppearanceMode mode, const QRectF& preview);

} // namespace tessarin
