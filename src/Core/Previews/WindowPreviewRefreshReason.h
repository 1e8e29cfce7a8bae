#pragma once

#include <optional>
#include <string_view>

namespace tessarin {

// Why a Space's preview is captured; the raw names are what the log and the tests read.
enum class WindowPreviewRefreshReason {
    startupPrime,
    spaceSwitchCurrent,
    spaceSwitchPrevious,
    wake,
    periodic,
    settingsChanged,
    visibleGridPresentation,
    spaceIDReplacement,
};

std::string_view rawValue(WindowPreviewRefreshReason reason);
// Accepts exactly the raw names.
std::optional<WindowPreviewRefreshReason> windowPreviewRefreshReason(std::string_view raw);

} // namespace tessarin
