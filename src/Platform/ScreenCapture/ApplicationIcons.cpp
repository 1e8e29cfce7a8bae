#include "Platform/ScreenCapture/ApplicationIcons.h"

#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/SystemServices.h"

namespace tessarin {

ApplicationIcons::ApplicationIcons(const SystemServices& system) : system_(system) {}

ApplicationIconSpec ApplicationIcons::defaultSpec(int32_t processIdentifier) {
    const QColor color = CaptureContent::colorFromSeed(static_cast<uint64_t>(processIdentifier));
    return {static_cast<uint32_t>(color.rgb() & 0xffffff), 256};
}

std::optional<QImage> ApplicationIcons::icon(int32_t processIdentifier) const {
    if (!system_.runningApplication(processIdentifier)) {
        return std::nullopt;
    }
    const auto it = specs_.find(processIdentifier);
    const std::optional<ApplicationIconSpec> spec =
        it == specs_.end() ? defaultSpec(processIdentifier) : it->second;
    if (!spec) {
        return std::nullopt;
    }
    auto [drawn, isNew] = drawn_.try_emplace(processIdentifier);
    if (isNew) {
        drawn->second = CaptureContent::markedPicture(CaptureContent::colorFromRGB(spec->rgb),
                                                      spec->size, spec->size);
    }
    return drawn->second;
}

void ApplicationIcons::setIcon(int32_t processIdentifier, std::optional<ApplicationIconSpec> spec) {
    specs_[processIdentifier] = spec;
    drawn_.erase(processIdentifier);
}

} // namespace tessarin
