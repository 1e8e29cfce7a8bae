#pragma once

#include "Platform/WindowServerTypes.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// One (Space, preview screen) pair whose composed preview is refreshed on its own schedule.
// When displays share their Spaces every screen previews them, so the preview screen is part
// of the key. Built only through `make`, so every key holds trimmed, non-empty identifiers and
// a real Space.
class WindowPreviewRefreshKey {
public:
    static std::optional<WindowPreviewRefreshKey> make(std::string_view spaceDisplayIdentifier,
                                                       std::string_view previewDisplayIdentifier,
                                                       SpaceID spaceID);

    const std::string& spaceDisplayIdentifier() const { return spaceDisplayIdentifier_; }
    const std::string& previewDisplayIdentifier() const { return previewDisplayIdentifier_; }
    SpaceID spaceID() const { return spaceID_; }

    friend bool operator==(const WindowPreviewRefreshKey&,
                           const WindowPreviewRefreshKey&) = default;
    // Orders by preview screen, then Space display, then Space: the order due requests take.
    friend std::strong_ordering operator<=>(const WindowPreviewRefreshKey& a,
                                            const WindowPreviewRefreshKey& b);

private:
    WindowPreviewRefreshKey(std::string space, std::string preview, SpaceID spaceID)
        : spaceDisplayIdentifier_(std::move(space)), previewDisplayIdentifier_(std::move(preview)),
          spaceID_(spaceID) {}

    std::string spaceDisplayIdentifier_;
    std::string previewDisplayIdentifier_;
    SpaceID spaceID_ = 0;
};

} // namespace tessarin
