#include "UI/OSD/OSDGridDirectionalTransition.h"

namespace tessarin {

namespace {
constexpr uint32_t maximumDirectionRawValue = 3;
}

bool OSDGridDirectionalTransition::isWellFormed() const {
    return fromIndex != toIndex && model.isValidIndex(fromIndex) && model.isValidIndex(toIndex) &&
           direction <= maximumDirectionRawValue;
}

std::optional<OSDGridDirectionalTransition>
OSDGridDirectionalTransition::replacingModel(const OSDGridModel& newModel) const {
    if (newModel.spaceCount() != model.spaceCount() ||
        newModel.columnCount() != model.columnCount() || newModel.activeIndex() != toIndex) {
        return std::nullopt;
    }
    OSDGridDirectionalTransition replaced{newModel, fromIndex, toIndex, direction};
    if (!replaced.isWellFormed()) {
        return std::nullopt;
    }
    return replaced;
}

} // namespace tessarin
