#pragma once

#include "Platform/SystemServices.h"

#include <QIcon>
#include <QImage>

namespace tessarin {

// The icon of a toolbar item made of a symbol picture, which is a template: only its alpha
// counts. It is drawn in the label colour of `appearance`, the chosen (checked) item in the
// accent colour and a disabled one in the disabled text colour, so it shows on the toolbar of
// either appearance.
QIcon preferencesToolbarIcon(const QImage& symbol, Appearance appearance);

} // namespace tessarin
