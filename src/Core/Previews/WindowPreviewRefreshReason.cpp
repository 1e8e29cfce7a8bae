#include "Core/Previews/WindowPreviewRefreshReason.h"

#include <array>
#include <utility>

namespace tessarin {

namespace {

using enum WindowPreviewRefreshReason;

constexpr std::array<std::pair<WindowPreviewRefreshReason, std::string_view>, 8> kNames{{
    {startupPrime, "startupPrime"},
    {spaceSwitchCurrent, "spaceSwitchCurrent"},
    {spaceSwitchPrevious, "spaceSwitchPrevious"},
    {wake, "wake"},
    {periodic, "periodic"},
    {settingsChanged, "settingsChanged"},
    {visibleGridPresentation, "visibleGridPresentation"},
    {spaceIDReplacement, "spaceIDReplacement"},
}};

} // namespace

std::string_view rawValue(WindowPreviewRefreshReason reason) {
    for (const auto& [value, name] : kNames) {
        if (value == reason) {
            return name;
        }
    }
    return {};
}

std::optional<WindowPreviewRefreshReason> windowPreviewRefreshReason(std::string_view raw) {
    for (const auto& [value, name] : kNames) {
        if (name == raw) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace tessarin
