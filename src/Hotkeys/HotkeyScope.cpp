#include "Hotkeys/HotkeyScope.h"

#include <functional>

std::size_t
std::hash<tessarin::HotkeyScope>::operator()(const tessarin::HotkeyScope& scope) const noexcept {
    // 0 for the cursor display; 1 followed by the key for a display.
    if (scope.isCursorDisplay()) {
        return std::hash<int>{}(0);
    }
    std::size_t seed = std::hash<int>{}(1);
    seed ^= std::hash<std::string>{}(*scope.displayKey()) + 0x9e3779b97f4a7c15ULL + (seed << 6) +
            (seed >> 2);
    return seed;
}
