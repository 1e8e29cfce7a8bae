#pragma once

#include "Model/Settings/RawValue.h"
#include "Platform/WindowServerTypes.h"

#include <array>
#include <optional>
#include <string>

namespace tessarin {

// What one cell of a display's visual layout holds.
enum class DisplaySpaceSlotKind {
    real,              // a Space of the window server
    placeholder,       // an empty cell the user left in the layout
    pinnedPlaceholder, // an empty cell kept so that a named direct slot has a place
};

std::string rawValue(DisplaySpaceSlotKind kind);
template <>
std::optional<DisplaySpaceSlotKind> fromRawValue<DisplaySpaceSlotKind>(std::string_view raw);

template <> constexpr auto allCases<DisplaySpaceSlotKind>() {
    return std::array{DisplaySpaceSlotKind::real, DisplaySpaceSlotKind::placeholder,
                      DisplaySpaceSlotKind::pinnedPlaceholder};
}

// One cell of a display's visual layout; `spaceID` is 0 for both kinds of placeholder.
struct DisplaySpaceSlot {
    using Kind = DisplaySpaceSlotKind;

    SpaceID spaceID = 0;
    Kind kind = Kind::real;

    static DisplaySpaceSlot realSpace(SpaceID spaceID) { return {spaceID, Kind::real}; }
    static DisplaySpaceSlot makePlaceholder() { return {0, Kind::placeholder}; }
    static DisplaySpaceSlot makePinnedPlaceholder() { return {0, Kind::pinnedPlaceholder}; }

    bool isReal() const { return kind == Kind::real; }
    bool isPlaceholder() const { return kind != Kind::real; }

    friend bool operator==(const DisplaySpaceSlot&, const DisplaySpaceSlot&) = default;
};

} // namespace tessarin
