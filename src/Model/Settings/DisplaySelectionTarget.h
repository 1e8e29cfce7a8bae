#pragma once

#include "Model/Spaces/TessarinDisplay.h"

#include <optional>
#include <string>
#include <utility>

namespace tessarin {

// What a settings page edits: one display, all displays, or the display under the pointer.
// Only a `display` target carries a display identifier.
struct DisplaySelectionTarget {
    enum class Kind { display, allDisplays, cursorDisplay };

    Kind kind = Kind::allDisplays;
    std::optional<TessarinDisplay> selectedDisplay; // set exactly for `display`

    static DisplaySelectionTarget display(TessarinDisplay display) {
        return {Kind::display, std::move(display)};
    }
    static DisplaySelectionTarget allDisplays() { return {Kind::allDisplays, std::nullopt}; }
    static DisplaySelectionTarget cursorDisplay() { return {Kind::cursorDisplay, std::nullopt}; }

    std::optional<std::string> displayIdentifier() const {
        if (kind != Kind::display || !selectedDisplay) {
            return std::nullopt;
        }
        return selectedDisplay->identifier;
    }

    friend bool operator==(const DisplaySelectionTarget&, const DisplaySelectionTarget&) = default;
};

} // namespace tessarin
