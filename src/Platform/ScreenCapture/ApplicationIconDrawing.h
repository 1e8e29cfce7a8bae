#pragma once

#include <QColor>
#include <QImage>

namespace tessarin::ApplicationIconDrawing {

// An application's icon: a rounded square shaded in `base` with a light glyph on it, the glyph
// one of a few shapes picked by the colour. Equal arguments give equal pictures.
QImage draw(const QColor& base, int size);

} // namespace tessarin::ApplicationIconDrawing
