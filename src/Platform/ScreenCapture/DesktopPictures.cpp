#include "Platform/ScreenCapture/DesktopPictures.h"

#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/DesktopPictureDrawing.h"

#include <functional>

namespace tessarin {

namespace {

constexpr const char* kURLPrefix = "file:///Library/Desktop%20Pictures/";

} // namespace

DesktopPictures::DesktopPictures(std::map<std::string, DesktopPictureSpec> looks)
    : looks_(std::move(looks)) {}

DesktopPictureSpec DesktopPictures::look(const std::string& screenUUID) const {
    if (const auto it = looks_.find(screenUUID); it != looks_.end()) {
        return it->second;
    }
    uint64_t seed = 0;
    for (const char c : screenUUID) {
        seed = seed * 131 + static_cast<unsigned char>(c);
    }
    // A hue of the screen's own at one saturation and brightness: never a muddy grey.
    const QColor color = QColor::fromHsv(static_cast<int>(seed % 360), 130, 185);
    return {DesktopPictureState::present, static_cast<uint32_t>(color.rgb() & 0xffffff)};
}

std::optional<std::string> DesktopPictures::desktopImageURL(const std::string& screenUUID) const {
    if (screenUUID.empty() || look(screenUUID).state == DesktopPictureState::missing) {
        return std::nullopt;
    }
    return kURLPrefix + screenUUID + ".heic";
}

std::optional<QImage> DesktopPictures::loadImage(const std::string& url) const {
    const std::string prefix = kURLPrefix;
    if (url.rfind(prefix, 0) != 0 || url.size() < prefix.size() + 5) {
        return std::nullopt;
    }
    const std::string uuid = url.substr(prefix.size(), url.size() - prefix.size() - 5);
    const DesktopPictureSpec picture = look(uuid);
    if (picture.state != DesktopPictureState::present) {
        return std::nullopt;
    }
    ++loadCount_;
    return DesktopPictureDrawing::draw(CaptureContent::colorFromRGB(picture.rgb), pixelWidth,
                                       pixelHeight);
}

std::optional<QImage> DesktopPictures::picture(const std::string& screenUUID) const {
    const auto url = desktopImageURL(screenUUID);
    return url ? loadImage(*url) : std::nullopt;
}

void DesktopPictures::setPicture(const std::string& screenUUID, DesktopPictureSpec look) {
    looks_[screenUUID] = look;
}

} // namespace tessarin
