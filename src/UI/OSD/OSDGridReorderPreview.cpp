#include "UI/OSD/OSDGridReorderPreview.h"

#include <algorithm>
#include <numeric>

namespace tessarin {

namespace {

bool isPlaceholder(int64_t index, int64_t spaceCount, const std::set<int64_t>& placeholders) {
    return index < spaceCount && placeholders.contains(index);
}

std::vector<int64_t> reordered(int64_t spaceCount, int64_t source, int64_t destination,
                               bool shuffles) {
    std::vector<int64_t> order(static_cast<size_t>(spaceCount));
    std::iota(order.begin(), order.end(), int64_t{0});
    if (destination >= spaceCount) {
        return order;
    }
    if (shuffles) {
        order.erase(order.begin() + source);
        order.insert(order.begin() + destination, source);
    } else {
        std::swap(order[static_cast<size_t>(source)], order[static_cast<size_t>(destination)]);
    }
    return order;
}

} // namespace

std::optional<OSDGridReorderPreview>
OSDGridReorderPreview::make(int64_t spaceCount, int64_t sourceIndex, int64_t destinationIndex,
                            OSDGridRearrangementBehavior behavior,
                            const std::set<int64_t>& placeholderIndices,
                            int64_t destinationSlotCount) {
    if (sourceIndex < 0 || sourceIndex >= spaceCount ||
        isPlaceholder(sourceIndex, spaceCount, placeholderIndices)) {
        return std::nullopt;
    }
    if (destinationIndex < 0 || destinationIndex >= std::max(spaceCount, destinationSlotCount)) {
        return std::nullopt;
    }
    const bool shuffles = behavior == OSDGridRearrangementBehavior::shuffle &&
                          !isPlaceholder(destinationIndex, spaceCount, placeholderIndices);
    return OSDGridReorderPreview{sourceIndex, destinationIndex,
                                 reordered(spaceCount, sourceIndex, destinationIndex, shuffles)};
}

std::optional<int64_t> OSDGridReorderPreview::slot(int64_t index) const {
    if (index == sourceIndex && destinationIndex >= static_cast<int64_t>(order.size())) {
        return destinationIndex;
    }
    const auto found = std::find(order.begin(), order.end(), index);
    if (found == order.end()) {
        return std::nullopt;
    }
    return found - order.begin();
}

} // namespace tessarin
