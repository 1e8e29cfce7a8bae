#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tessarin {

// Which visible grids a refresh concerns: every one, or the grid of one display.
class VisibleGridOSDOverlayRefreshScope {
public:
    static VisibleGridOSDOverlayRefreshScope allVisibleGrids() { return {std::nullopt}; }
    static VisibleGridOSDOverlayRefreshScope display(std::string identifier) {
        return {std::move(identifier)};
    }
    // A display when one is known, else every visible grid.
    static VisibleGridOSDOverlayRefreshScope
    forDisplayIdentifier(std::optional<std::string> identifier) {
        return {std::move(identifier)};
    }

    // None for every visible grid.
    const std::optional<std::string>& displayIdentifier() const { return displayIdentifier_; }

private:
    VisibleGridOSDOverlayRefreshScope(std::optional<std::string> identifier)
        : displayIdentifier_(std::move(identifier)) {}
    std::optional<std::string> displayIdentifier_;
};

} // namespace tessarin
