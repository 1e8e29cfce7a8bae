#include "Platform/StatusBar/HostMenuBarPlace.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/WindowServer.h"

namespace tessarin {

std::optional<MenuBarPlace> hostMenuBarPlace(Host& host) {
    const auto display = host.windowServer().activeMenuBarDisplay();
    const DisplayServer& displays = host.displays();
    for (const Screen& screen : displays.screens()) {
        if (display && screen.displayID == *display) {
            // Frames are y up: the menu bar is what the visible frame leaves at the top.
            const double thickness = screen.frame.maxY() - screen.visibleFrame.maxY();
            return MenuBarPlace(displays.toWindowServer(screen.frame), thickness);
        }
    }
    return std::nullopt;
}

} // namespace tessarin
