#include "Model/Spaces/DisplaySpaceNavigator.h"

#include <algorithm>

namespace tessarin {

std::optional<DisplaySpaceNavigator::DirectTarget>
DisplaySpaceNavigator::resolveDirectTarget(const DisplaySpaceOrderSnapshot& snapshot,
                                           int requestedVisualIndex) {
    const int count = snapshot.slotCount();
    if (count == 0 || requestedVisualIndex < 0) {
        return std::nullopt;
    }
    const int visualIndex = std::min(requestedVisualIndex, count - 1);
    return DirectTarget{visualIndex, snapshot.systemIndex(visualIndex)};
}

} // namespace tessarin
