#include "Platform/StatusBar/HostMenuBarPlace.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/WindowServer.h"

namespace tessarin {

std::optional<MenuBarPlace> hostMenuBarPlace(Host& host) {
    const auto display = host.windowServer().activeMenuBarDisplay();
    if (!display) {
        return std::nullopt;
    }
    const DisplayServer& displays = host.displays();
    const std::optional<Screen> screen = displays.screen(*display);
    if (!screen) {
        return std::nullopt;
    }
    // Frames are y up: the menu bar is what the visible frame leaves at the top.
    const double thickness = screen->frame.maxY() - screen->visibleFrame.maxY();
    return MenuBarPlace(displays.toWindowServer(screen->frame), thickness);
}

} // namespace tessarin
