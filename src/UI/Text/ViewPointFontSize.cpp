#include "UI/Text/ViewPointFontSize.h"

#include <QFont>
#include <cmath>

namespace tessarin {

void setViewPointSize(QFont& font, double size) {
    font.setPixelSize(static_cast<int>(std::lround(size)));
}

} // namespace tessarin
