#include "UI/MenuBar/MenuBarGridIconModel.h"

namespace tessarin {

std::optional<MenuBarGridIconModel>
MenuBarGridIconModel::make(std::int64_t spaceCount, std::int64_t activeIndex,
                           std::int64_t columnCount, const std::set<std::int64_t>& placeholders) {
    if (spaceCount <= 0 || activeIndex < 0 || activeIndex >= spaceCount || columnCount < 2 ||
        columnCount > 4) {
        return std::nullopt;
    }
    MenuBarGridIconModel model{spaceCount, activeIndex, columnCount, {}};
    for (const std::int64_t index : placeholders) {
        if (index >= 0 && index < spaceCount) {
            model.placeholderIndices.insert(index);
        }
    }
    return model;
}

} // namespace tessarin
