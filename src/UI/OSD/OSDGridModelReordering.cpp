// The drag and reorder operations of OSDGridModel.

#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridVirtualDragDestinations.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tessarin {

namespace {

// Moves the entry of `from` to `to` (an absent entry stays absent and clears `to`).
template <typename Map> void moveEntry(Map& map, int64_t from, int64_t to) {
    auto node = map.extract(from);
    map.erase(to);
    if (!node.empty()) {
        node.key() = to;
        map.insert(std::move(node));
    }
}

void moveMembership(std::set<int64_t>& set, int64_t from, int64_t to) {
    if (set.erase(from) > 0) {
        set.insert(to);
    }
}

template <typename Map> Map permutedEntries(const Map& map, const std::vector<int64_t>& order) {
    Map result;
    for (std::size_t position = 0; position < order.size(); ++position) {
        const auto found = map.find(order[position]);
        if (found != map.end()) {
            result.emplace_hint(result.end(), static_cast<int64_t>(position), found->second);
        }
    }
    return result;
}

std::set<int64_t> permutedMembers(const std::set<int64_t>& set, const std::vector<int64_t>& order) {
    std::set<int64_t> result;
    for (std::size_t position = 0; position < order.size(); ++position) {
        if (set.contains(order[position])) {
            result.insert(result.end(), static_cast<int64_t>(position));
        }
    }
    return result;
}

std::set<int64_t> indexRange(int64_t begin, int64_t end, const std::set<int64_t>& excluding) {
    std::set<int64_t> result;
    for (int64_t index = begin; index < end; ++index) {
        if (!excluding.contains(index)) {
            result.insert(result.end(), index);
        }
    }
    return result;
}

} // namespace

std::optional<OSDGridModel>
OSDGridModel::virtualDragDestinationModel(int64_t slotCount,
                                          const std::set<int64_t>& excluding) const {
    const int64_t expanded =
        OSDGridVirtualDragDestinations::expandedSlotCount(spaceCount(), columnCount());
    const int64_t target = std::min(std::max(spaceCount(), slotCount), expanded);
    if (target <= spaceCount()) {
        return *this;
    }
    Fields fields = *fields_;
    fields.virtualDestinationIndices = indexRange(spaceCount(), target, excluding);
    fields.spaceCount = target;
    return make(std::move(fields));
}

std::optional<OSDGridModel> OSDGridModel::reordered(int64_t from, int64_t to,
                                                    OSDGridRearrangementBehavior behavior) const {
    if (!isValidIndex(from) || !isValidIndex(to) || from == to || isPlaceholder(from)) {
        return *this;
    }
    // order[n] is the old index of the cell that ends at position n.
    std::vector<int64_t> order(static_cast<std::size_t>(spaceCount()));
    std::iota(order.begin(), order.end(), int64_t{0});
    const auto f = static_cast<std::size_t>(from);
    const auto t = static_cast<std::size_t>(to);
    if (isPlaceholder(to) || behavior == OSDGridRearrangementBehavior::swap) {
        std::swap(order[f], order[t]);
    } else if (f < t) {
        std::rotate(order.begin() + static_cast<std::ptrdiff_t>(f),
                    order.begin() + static_cast<std::ptrdiff_t>(f) + 1,
                    order.begin() + static_cast<std::ptrdiff_t>(t) + 1);
    } else {
        std::rotate(order.begin() + static_cast<std::ptrdiff_t>(t),
                    order.begin() + static_cast<std::ptrdiff_t>(f),
                    order.begin() + static_cast<std::ptrdiff_t>(f) + 1);
    }

    const Fields& old = *fields_;
    Fields fields;
    fields.spaceCount = old.spaceCount;
    fields.columnCount = old.columnCount;
    fields.cellShape = old.cellShape;
    fields.cellTitles = permutedEntries(old.cellTitles, order);
    fields.cellScreenshots = permutedEntries(old.cellScreenshots, order);
    fields.cellIcons = permutedEntries(old.cellIcons, order);
    fields.cellIconStacks = permutedEntries(old.cellIconStacks, order);
    fields.placeholderIndices = permutedMembers(old.placeholderIndices, order);
    fields.obscuredIndices = permutedMembers(old.obscuredIndices, order);
    const auto active = std::find(order.begin(), order.end(), old.activeIndex);
    fields.activeIndex = static_cast<int64_t>(active - order.begin());
    const auto activeTitle = fields.cellTitles.find(fields.activeIndex);
    fields.title = activeTitle != fields.cellTitles.end() ? activeTitle->second : old.title;
    return make(std::move(fields));
}

std::optional<OSDGridModel>
OSDGridModel::virtualDropModel(int64_t from, int64_t to, int64_t newSpaceCount,
                               const std::set<int64_t>& virtualDestinationIndices,
                               bool fillsSkippedPlaceholders) const {
    if (!isValidIndex(from) || to < spaceCount() || to >= newSpaceCount || isPlaceholder(from)) {
        return *this;
    }
    Fields fields = *fields_;
    moveEntry(fields.cellTitles, from, to);
    moveEntry(fields.cellScreenshots, from, to);
    moveEntry(fields.cellIcons, from, to);
    moveEntry(fields.cellIconStacks, from, to);
    moveMembership(fields.obscuredIndices, from, to);

    fields.placeholderIndices.insert(from);
    if (fillsSkippedPlaceholders) {
        for (int64_t index = spaceCount(); index < to; ++index) {
            fields.placeholderIndices.insert(index);
        }
    }
    if (fields.activeIndex == from) {
        fields.activeIndex = to;
    }
    if (const auto activeTitle = fields.cellTitles.find(fields.activeIndex);
        activeTitle != fields.cellTitles.end()) {
        fields.title = activeTitle->second;
    }
    fields.spaceCount = newSpaceCount;
    fields.virtualDestinationIndices = virtualDestinationIndices;
    return make(std::move(fields));
}

std::optional<OSDGridModel>
OSDGridModel::dragPreviewModel(int64_t from, int64_t to, OSDGridRearrangementBehavior behavior,
                               std::optional<int64_t> destinationSlotCount) const {
    if (!isValidIndex(from) || isPlaceholder(from)) {
        return *this;
    }
    const int64_t expanded =
        OSDGridVirtualDragDestinations::expandedSlotCount(spaceCount(), columnCount());
    const int64_t dragSlotCount =
        std::min(std::max(destinationSlotCount.value_or(expanded), spaceCount()), expanded);
    if (to < 0 || to >= dragSlotCount) {
        return virtualDragDestinationModel(dragSlotCount, {});
    }
    if (to >= spaceCount()) {
        return virtualDropModel(from, to, dragSlotCount,
                                indexRange(spaceCount(), dragSlotCount, {to}), false);
    }
    const auto effective = isPlaceholder(to) ? OSDGridRearrangementBehavior::swap : behavior;
    const auto reorderedModel = reordered(from, to, effective);
    if (!reorderedModel) {
        return std::nullopt;
    }
    return reorderedModel->virtualDragDestinationModel(dragSlotCount, {});
}

} // namespace tessarin
