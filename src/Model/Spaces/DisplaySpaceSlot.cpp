#include "Model/Spaces/DisplaySpaceSlot.h"

namespace tessarin {

std::string rawValue(DisplaySpaceSlotKind kind) {
    switch (kind) {
    case DisplaySpaceSlotKind::real:
        return "real";
    case DisplaySpaceSlotKind::placeholder:
        return "placeholder";
    case DisplaySpaceSlotKind::pinnedPlaceholder:
        return "pinnedPlaceholder";
    }
    return "real";
}

template <>
std::optional<DisplaySpaceSlotKind> fromRawValue<DisplaySpaceSlotKind>(std::string_view raw) {
    if (raw == "real") {
        return DisplaySpaceSlotKind::real;
    }
    if (raw == "placeholder") {
        return DisplaySpaceSlotKind::placeholder;
    }
    if (raw == "pinnedPlaceholder") {
        return DisplaySpaceSlotKind::pinnedPlaceholder;
    }
    return std::nullopt;
}

} // namespace tessarin
