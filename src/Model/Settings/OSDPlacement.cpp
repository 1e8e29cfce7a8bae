#include "Model/Settings/OSDPlacement.h"

namespace tessarin {

Point origin(OSDPlacement placement, const Rect& rect, Size windowSize, double inset) {
    const double width = windowSize.width;
    const double height = windowSize.height;
    switch (placement) {
    case OSDPlacement::center:
        return {rect.midX() - width / 2, rect.midY() - height / 2};
    case OSDPlacement::topLeft:
        return {rect.minX() + inset, rect.maxY() - height - inset};
    case OSDPlacement::topRight:
        return {rect.maxX() - width - inset, rect.maxY() - height - inset};
    case OSDPlacement::bottomLeft:
        return {rect.minX() + inset, rect.minY() + inset};
    case OSDPlacement::bottomRight:
        return {rect.maxX() - width - inset, rect.minY() + inset};
    }
    return {rect.midX() - width / 2, rect.midY() - height / 2};
}

} // namespace tessarin
