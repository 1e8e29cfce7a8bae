#pragma once

#include <compare>
#include <cstddef>
#include <optional>
#include <string>

namespace tessarin {

// Where a hotkey acts: on one display (by its display key) or on the display under the pointer.
class HotkeyScope {
public:
    static HotkeyScope cursorDisplay() { return HotkeyScope(std::nullopt); }
    static HotkeyScope display(std::string displayKey) {
        return HotkeyScope(std::move(displayKey));
    }

    bool isCursorDisplay() const { return !displayKey_.has_value(); }
    // The display key of a display scope; nothing for the cursor display.
    const std::optional<std::string>& displayKey() const { return displayKey_; }

    friend bool operator==(const HotkeyScope&, const HotkeyScope&) = default;
    // The cursor display sorts first, then displays by key.
    friend std::strong_ordering operator<=>(const HotkeyScope&, const HotkeyScope&) = default;

private:
    explicit HotkeyScope(std::optional<std::string> displayKey)
        : displayKey_(std::move(displayKey)) {}

    std::optional<std::string> displayKey_;
};

} // namespace tessarin

template <> struct std::hash<tessarin::HotkeyScope> {
    std::size_t operator()(const tessarin::HotkeyScope& scope) const noexcept;
};
