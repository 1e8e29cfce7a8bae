#include "UI/OSD/OSDGridImageEquality.h"

namespace tessarin {

bool haveSamePixels(const QImage& a, const QImage& b) {
    if (a.isNull() || b.isNull()) {
        return a.isNull() == b.isNull();
    }
    if (a.size() != b.size()) {
        return false;
    }
    constexpr auto kFormat = QImage::Format_ARGB32_Premultiplied;
    if (a.format() == kFormat && b.format() == kFormat) {
        return a == b;
    }
    return a.convertToFormat(kFormat) == b.convertToFormat(kFormat);
}

} // namespace tessarin
