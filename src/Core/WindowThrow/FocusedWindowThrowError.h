#pragma once

#include "Model/Settings/RawValue.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// Why a window could not be thrown to another Space. The raw values are the reasons that log
// lines write.
enum class FocusedWindowThrowError {
    noDraggedWindow,         // no window is being dragged by hand, or the press has ended
    desktopNumberOutOfRange, // the target is not Desktop 1 to 16
    shortcutUnavailable,     // no enabled system shortcut switches to that Desktop
    postFailed,              // the shortcut's key events could not be posted
    timedOut,                // the window was not on the target Space within 3.0 s
    cancelled,               // a newer throw or the program's stop ended it
};

std::string rawValue(FocusedWindowThrowError error);
template <>
std::optional<FocusedWindowThrowError> fromRawValue<FocusedWindowThrowError>(std::string_view raw);

template <> constexpr auto allCases<FocusedWindowThrowError>() {
    return std::array{FocusedWindowThrowError::noDraggedWindow,
                      FocusedWindowThrowError::desktopNumberOutOfRange,
                      FocusedWindowThrowError::shortcutUnavailable,
                      FocusedWindowThrowError::postFailed,
                      FocusedWindowThrowError::timedOut,
                      FocusedWindowThrowError::cancelled};
}

} // namespace tessarin
