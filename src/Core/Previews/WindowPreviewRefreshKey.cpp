#include "Core/Previews/WindowPreviewRefreshKey.h"

#include "Support/Text.h"

namespace tessarin {

std::optional<WindowPreviewRefreshKey>
WindowPreviewRefreshKey::make(std::string_view spaceDisplayIdentifier,
                              std::string_view previewDisplayIdentifier, SpaceID spaceID) {
    auto space = trimmingWhitespaceAndNewlines(spaceDisplayIdentifier);
    auto preview = trimmingWhitespaceAndNewlines(previewDisplayIdentifier);
    if (space.empty() || preview.empty() || spaceID == 0) {
        return std::nullopt;
    }
    return WindowPreviewRefreshKey(std::move(space), std::move(preview), spaceID);
}

std::strong_ordering operator<=>(const WindowPreviewRefreshKey& a,
                                 const WindowPreviewRefreshKey& b) {
    if (auto order = a.previewDisplayIdentifier_ <=> b.previewDisplayIdentifier_; order != 0) {
        return order;
    }
    if (auto order = a.spaceDisplayIdentifier_ <=> b.spaceDisplayIdentifier_; order != 0) {
        return order;
    }
    return a.spaceID_ <=> b.spaceID_;
}

} // namespace tessarin
