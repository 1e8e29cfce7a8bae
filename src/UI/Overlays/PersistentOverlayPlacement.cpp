#include "UI/Overlays/PersistentOverlayPlacement.h"

namespace tessarin::PersistentOverlayPlacement {

Point origin(OSDPlacement placement, const Rect& visibleFrame, Size size) {
    const Rect& v = visibleFrame;
    switch (placement) {
    case OSDPlacement::center:
        return {v.midX() - size.width / 2, v.midY() - size.height / 2};
    case OSDPlacement::topLeft:
        return {v.minX() + inset, v.maxY() - size.height - inset};
    case OSDPlacement::topRight:
        return {v.maxX() - size.width - inset, v.maxY() - size.height - inset};
    case OSDPlacement::bottomLeft:
        return {v.minX() + inset, v.minY() + inset};
    case OSDPlacement::bottomRight:
        return {v.maxX() - size.width - inset, v.minY() + inset};
    }
    return {v.minX() + inset, v.minY() + inset};
}

std::string displayIdentifier(const Screen& screen) {
    return screen.uuid.empty() ? std::to_string(screen.displayID) : screen.uuid;
}

} // namespace tessarin::PersistentOverlayPlacement
