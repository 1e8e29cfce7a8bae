#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

enum class DesktopPictureState { present, missing, unreadable };

struct DesktopPictureSpec {
    DesktopPictureState state = DesktopPictureState::present;
    uint32_t rgb = 0x3a5a80;
    friend bool operator==(const DesktopPictureSpec&, const DesktopPictureSpec&) = default;
};

// The desktop picture of each screen, by screen UUID: an address and the image behind it. A
// screen without a look shows a hue drawn from its UUID; a missing picture has no address,
// an unreadable one an address whose image does not load. Main thread only.
class DesktopPictures {
public:
    static constexpr int pixelWidth = 640;
    static constexpr int pixelHeight = 400;

    explicit DesktopPictures(std::map<std::string, DesktopPictureSpec> looks = {});

    std::optional<std::string> desktopImageURL(const std::string& screenUUID) const;
    std::optional<QImage> loadImage(const std::string& url) const;
    void setPicture(const std::string& screenUUID, DesktopPictureSpec look);
    // The picture of a screen as captures draw it; none when missing or unreadable.
    std::optional<QImage> picture(const std::string& screenUUID) const;
    // How many pictures were loaded, for tests of who keeps them.
    std::size_t loadCount() const { return loadCount_; }

private:
    DesktopPictureSpec look(const std::string& screenUUID) const;

    std::map<std::string, DesktopPictureSpec> looks_;
    mutable std::size_t loadCount_ = 0;
};

} // namespace tessarin
