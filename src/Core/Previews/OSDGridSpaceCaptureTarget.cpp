#include "Core/Previews/OSDGridSpaceCaptureTarget.h"

#include "Support/Text.h"

namespace tessarin {

std::optional<OSDGridSpaceCaptureTarget>
OSDGridSpaceCaptureTarget::make(const std::optional<std::string>& displayIdentifier,
                                std::optional<DisplayID> displayID,
                                const std::optional<TessarinSpaceInfo>& info) {
    if (!displayIdentifier || !displayID || !info) {
        return std::nullopt;
    }
    std::string trimmed = trimmingWhitespaceAndNewlines(*displayIdentifier);
    if (trimmed.empty() || info->currentSpaceID == 0 || info->spaceCount == 0 ||
        info->currentIndex >= info->spaceCount) {
        return std::nullopt;
    }
    return OSDGridSpaceCaptureTarget{{std::move(trimmed), info->currentSpaceID,
                                      static_cast<int>(info->currentIndex),
                                      static_cast<int>(info->spaceCount)},
                                     *displayID};
}

} // namespace tessarin
