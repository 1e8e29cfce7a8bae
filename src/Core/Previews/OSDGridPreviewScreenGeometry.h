#pragma once

#include "Platform/DisplayServer.h"
#include "Platform/Screen.h"
#include "Support/Geometry.h"

#include <QImage>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

class DesktopPictures;

// Screen lookups a preview needs before its composition leaves the main thread: where the
// screen sits among the windows, at which scale its windows are captured, and its picture.

// The screen's frame in window-server coordinates (y down): its display's bounds when it has a
// display number with positive bounds, else its own frame flipped at the main screen's top;
// nothing without a screen or a positive frame.
std::optional<Rect> windowServerFrame(const std::optional<Screen>& screen,
                                      const DisplayServer& displays);

// The backing scale of the screen that holds most of the window (window-server bounds); the
// main screen's when none holds any of it, 1 without screens.
double windowCaptureScaleFactor(const Rect& windowBounds, const DisplayServer& displays);

// The screen's desktop picture as a bitmap in the canvas format; nothing without a screen, a
// picture address or a picture that loads.
std::optional<QImage> desktopBackgroundImage(const std::optional<Screen>& screen,
                                             const DesktopPictures& pictures);

// The desktop pictures of the screens, loaded once per screen and shared by the captures of all
// its Spaces: a picture loaded per capture held one full bitmap per capture in flight. A screen's
// picture is loaded again when its address changes, or after `clear`, which the owner calls once
// no capture needs the pictures, so none stays resident between refreshes. Main thread only.
class DesktopBackgroundImages {
public:
    std::optional<QImage> image(const std::optional<Screen>& screen,
                                const DesktopPictures& pictures);
    void clear() { byScreen_.clear(); }

private:
    struct Loaded {
        std::string url;
        QImage image;
    };
    std::map<std::string, Loaded> byScreen_;
};

} // namespace tessarin
