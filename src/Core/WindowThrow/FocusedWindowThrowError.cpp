#include "Core/WindowThrow/FocusedWindowThrowError.h"

namespace tessarin {

std::string rawValue(FocusedWindowThrowError error) {
    switch (error) {
    case FocusedWindowThrowError::noDraggedWindow:
        return "no-dragged-window";
    case FocusedWindowThrowError::desktopNumberOutOfRange:
        return "desktop-number-out-of-range";
    case FocusedWindowThrowError::shortcutUnavailable:
        return "shortcut-unavailable";
    case FocusedWindowThrowError::postFailed:
        return "post-failed";
    case FocusedWindowThrowError::timedOut:
        return "timed-out";
    case FocusedWindowThrowError::cancelled:
        return "cancelled";
    }
    return "cancelled";
}

template <>
std::optional<FocusedWindowThrowError> fromRawValue<FocusedWindowThrowError>(std::string_view raw) {
    return caseWithRawValue<FocusedWindowThrowError>(raw);
}

} // namespace tessarin
