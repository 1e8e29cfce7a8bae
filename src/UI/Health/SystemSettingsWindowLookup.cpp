#include "UI/Health/SystemSettingsWindowLookup.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"

#include <algorithm>

namespace tessarin {

namespace {

bool isSystemSettingsWindow(
    const WindowInfo& window,
    const std::function<std::optional<RunningApplication>(int32_t)>& applicationOf) {
    if (window.ownerName == "System Settings" || window.ownerName == "System Preferences") {
        return true;
    }
    if (window.ownerPID == 0) {
        return false;
    }
    const auto application = applicationOf(window.ownerPID);
    if (!application || !application->bundleIdentifier) {
        return false;
    }
    return *application->bundleIdentifier == "com.apple.systempreferences" ||
           *application->bundleIdentifier == "com.apple.SystemSettings";
}

} // namespace

std::optional<Rect> SystemSettingsWindowLookup::find(
    const std::vector<WindowInfo>& windows,
    const std::function<std::optional<RunningApplication>(int32_t)>& applicationOf) {
    for (const WindowInfo& window : windows) {
        if (window.layer == 0 && window.bounds.width() > 360 && window.bounds.height() > 260 &&
            isSystemSettingsWindow(window, applicationOf)) {
            return window.bounds;
        }
    }
    return std::nullopt;
}

Rect SystemSettingsWindowLookup::toScreen(const Rect& bounds, const std::vector<Screen>& screens,
                                          const std::function<Rect(DisplayID)>& displayBounds) {
    const Point centre{bounds.midX(), bounds.midY()};
    for (const Screen& screen : screens) {
        const Rect display = displayBounds(screen.displayID);
        if (!display.contains(centre)) {
            continue;
        }
        const Rect& frame = screen.frame;
        const double scaleX = frame.width() / std::max(display.width(), 1.0);
        const double scaleY = frame.height() / std::max(display.height(), 1.0);
        return Rect{frame.minX() + scaleX * (bounds.minX() - display.minX()),
                    frame.maxY() - scaleY * ((bounds.minY() - display.minY()) + bounds.height()),
                    scaleX * bounds.width(), scaleY * bounds.height()};
    }
    return bounds;
}

std::optional<Rect> SystemSettingsWindowLookup::currentFrame() {
    Host& host = Host::current();
    const auto windows = host.windowServer().windowList(
        WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements, 0);
    if (!windows) {
        return std::nullopt;
    }
    const SystemServices& system = host.system();
    const auto bounds =
        find(*windows, [&system](int32_t pid) { return system.runningApplication(pid); });
    if (!bounds) {
        return std::nullopt;
    }
    const DisplayServer& displays = host.displays();
    return toScreen(*bounds, displays.screens(),
                    [&displays](DisplayID display) { return displays.bounds(display); });
}

} // namespace tessarin
