#include "UI/OSD/OSDGridModel.h"

#include <utility>

namespace tessarin {

namespace {

constexpr const char* emptyPlaceholderTitle = "Empty";

template <typename Value>
std::map<int64_t, Value> entriesInRange(std::map<int64_t, Value> entries, int64_t count,
                                        const std::set<int64_t>& excluded) {
    std::erase_if(entries, [&](const auto& entry) {
        return entry.first < 0 || entry.first >= count || excluded.contains(entry.first);
    });
    return entries;
}

std::set<int64_t> indicesInRange(std::set<int64_t> indices, int64_t count,
                                 const std::set<int64_t>& excluded) {
    std::erase_if(indices, [&](int64_t index) {
        return index < 0 || index >= count || excluded.contains(index);
    });
    return indices;
}

// Content keys count before any filtering: a title key counts even when its text is empty.
std::set<int64_t> contentIndices(const OSDGridModel::Fields& fields) {
    std::set<int64_t> keys;
    const auto collect = [&](const auto& map) {
        for (const auto& entry : map) {
            if (entry.first >= 0 && entry.first < fields.spaceCount) {
                keys.insert(entry.first);
            }
        }
    };
    collect(fields.cellTitles);
    collect(fields.cellScreenshots);
    collect(fields.cellIcons);
    collect(fields.cellIconStacks);
    return keys;
}

void normalize(OSDGridModel::Fields& fields) {
    const int64_t count = fields.spaceCount;
    const std::set<int64_t> none;
    fields.placeholderIndices = indicesInRange(std::move(fields.placeholderIndices), count, none);
    const std::set<int64_t>& placeholders = fields.placeholderIndices;

    fields.cellTitles = entriesInRange(std::move(fields.cellTitles), count, none);
    std::erase_if(fields.cellTitles, [](const auto& entry) { return entry.second.empty(); });

    fields.cellScreenshots = entriesInRange(std::move(fields.cellScreenshots), count, placeholders);
    fields.cellIcons = entriesInRange(std::move(fields.cellIcons), count, placeholders);

    for (auto& [index, stack] : fields.cellIconStacks) {
        if (stack.size() > OSDGridModel::maximumIconStackCount) {
            stack.resize(OSDGridModel::maximumIconStackCount);
        }
    }
    std::erase_if(fields.cellIconStacks, [](const auto& entry) {
        return entry.second.size() < OSDGridModel::minimumIconStackCount;
    });
    fields.cellIconStacks = entriesInRange(std::move(fields.cellIconStacks), count, placeholders);

    fields.obscuredIndices = indicesInRange(std::move(fields.obscuredIndices), count, placeholders);

    // Against what the cells hold after the rules above: a dropped title or stack frees a cell.
    std::set<int64_t> occupied = contentIndices(fields);
    occupied.insert(placeholders.begin(), placeholders.end());
    fields.virtualDestinationIndices =
        indicesInRange(std::move(fields.virtualDestinationIndices), count, occupied);

    if (placeholders.contains(fields.activeIndex)) {
        const auto activeTitle = fields.cellTitles.find(fields.activeIndex);
        fields.title = activeTitle != fields.cellTitles.end() ? activeTitle->second
                                                              : std::string(emptyPlaceholderTitle);
    } else if (fields.title && fields.title->empty()) {
        fields.title.reset();
    }
}

} // namespace

std::optional<OSDGridModel> OSDGridModel::make(Fields fields) {
    if (fields.spaceCount < 1 || fields.activeIndex < 0 ||
        fields.activeIndex >= fields.spaceCount || fields.columnCount < minimumColumnCount ||
        fields.columnCount > maximumColumnCount) {
        return std::nullopt;
    }
    normalize(fields);
    return OSDGridModel(std::make_shared<const Fields>(std::move(fields)));
}

bool OSDGridModel::isPlaceholder(int64_t at) const {
    return fields_->placeholderIndices.contains(at);
}

bool OSDGridModel::isObscured(int64_t at) const {
    return fields_->obscuredIndices.contains(at);
}

std::optional<std::string> OSDGridModel::title(int64_t at) const {
    const auto found = fields_->cellTitles.find(at);
    if (found == fields_->cellTitles.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<OSDGridAppIconEntry> OSDGridModel::icon(int64_t at) const {
    const auto found = fields_->cellIcons.find(at);
    if (found == fields_->cellIcons.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<OSDGridAppIconEntry> OSDGridModel::badgeIcons(int64_t at) const {
    const auto stack = fields_->cellIconStacks.find(at);
    if (stack != fields_->cellIconStacks.end() && stack->second.size() >= minimumIconStackCount) {
        return stack->second;
    }
    // A cell without a picture shows its icon as content, not as a badge.
    const auto icon = fields_->cellIcons.find(at);
    if (icon != fields_->cellIcons.end() && fields_->cellScreenshots.contains(at)) {
        return {icon->second};
    }
    return {};
}

std::optional<OSDGridCellAppearance> OSDGridModel::appearance(int64_t at) const {
    if (!isValidIndex(at)) {
        return std::nullopt;
    }
    if (fields_->placeholderIndices.contains(at)) {
        return OSDGridCellAppearance::emptyPlaceholder();
    }
    if (fields_->virtualDestinationIndices.contains(at)) {
        return OSDGridCellAppearance::virtualDestination();
    }
    const bool isActive = at == fields_->activeIndex;
    if (const auto screenshot = fields_->cellScreenshots.find(at);
        screenshot != fields_->cellScreenshots.end()) {
        return isActive ? OSDGridCellAppearance::activeScreenshot(screenshot->second)
                        : OSDGridCellAppearance::inactiveScreenshot(screenshot->second);
    }
    if (const auto icon = fields_->cellIcons.find(at); icon != fields_->cellIcons.end()) {
        return isActive ? OSDGridCellAppearance::activeIcon(icon->second)
                        : OSDGridCellAppearance::inactiveIcon(icon->second);
    }
    return isActive ? OSDGridCellAppearance::activeFill()
                    : OSDGridCellAppearance::inactivePlaceholder();
}

std::optional<OSDGridModel> OSDGridModel::selectingActiveIndex(int64_t index) const {
    Fields fields = *fields_;
    fields.activeIndex = index;
    fields.title = title(index);
    return make(std::move(fields));
}

std::optional<OSDGridModel> OSDGridModel::replacingCellWithPlaceholder(int64_t at) const {
    if (!isValidIndex(at)) {
        return std::nullopt;
    }
    Fields fields = *fields_;
    fields.placeholderIndices.insert(at);
    fields.obscuredIndices.erase(at);
    fields.virtualDestinationIndices.clear();
    return make(std::move(fields));
}

} // namespace tessarin
