#include "Platform/ScreenCapture/ApplicationIcons.h"

#include "Platform/ScreenCapture/ApplicationIconDrawing.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/SystemServices.h"

namespace tessarin {

ApplicationIcons::ApplicationIcons(const SystemServices& system) : system_(system) {}

ApplicationIconSpec ApplicationIcons::defaultSpec(int32_t processIdentifier) {
    // The hue of the process's colour, saturated and bright as application icons are.
    const int hue =
        CaptureContent::colorFromSeed(static_cast<uint64_t>(processIdentifier)).hsvHue();
    const QColor color = QColor::fromHsv(hue < 0 ? 210 : hue, 170, 205);
    return {static_cast<uint32_t>(color.rgb() & 0xffffff), 256};
}

std::optional<QImage> ApplicationIcons::icon(int32_t processIdentifier) const {
    if (!system_.runningApplication(processIdentifier)) {
        return std::nullopt;
    }
    const auto it = looks_.find(processIdentifier);
    const std::optional<ApplicationIconSpec> look =
        it == looks_.end() ? defaultSpec(processIdentifier) : it->second;
    if (!look) {
        return std::nullopt;
    }
    auto [drawn, isNew] = drawn_.try_emplace(processIdentifier);
    if (isNew) {
        drawn->second =
            ApplicationIconDrawing::draw(CaptureContent::colorFromRGB(look->rgb), look->size);
    }
    return drawn->second;
}

void ApplicationIcons::setIcon(int32_t processIdentifier, std::optional<ApplicationIconSpec> look) {
    looks_[processIdentifier] = look;
    drawn_.erase(processIdentifier);
}

} // namespace tessarin
