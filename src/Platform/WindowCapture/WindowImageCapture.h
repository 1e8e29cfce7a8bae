#pragma once

#include "Platform/WindowServerTypes.h"

#include <QImage>
#include <cstdint>
#include <optional>

namespace tessarin {

// Options of a window image, as the window server takes them.
namespace WindowImageOption {
inline constexpr uint32_t boundsIgnoreFraming = 1 << 0;
inline constexpr uint32_t bestResolution = 1 << 3;
} // namespace WindowImageOption

// The window server's pictures of windows on screen. The windows it can picture here are the
// program's own (a window's number is its platform window's identifier), taken from what the
// window system last composited for them.
class WindowImageCapture {
public:
    // The picture of one window: `listOptions` must ask for just that window
    // (`WindowListOption::includingWindow`). None for a window that is not on screen, for
    // other list options, or while captures are refused.
    std::optional<QImage> createImage(uint32_t listOptions, WindowID window,
                                      uint32_t imageOptions) const;
    // A window server that answers no capture.
    void setCapturesRefused(bool refused) { refused_ = refused; }

private:
    bool refused_ = false;
};

} // namespace tessarin
