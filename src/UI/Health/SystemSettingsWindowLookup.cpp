#include "UI/Health/SystemSettingsWindowLookup.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"

#include <algorithm>

namespace tessarin {

namespace {

bool isSystemSettingsWindow(const WindowInfo& window,
                            const std::function<bool(int32_t)>& isSystemSettingsProcess) {
    return window.ownerName == "System Settings" || window.ownerName == "System Preferences" ||
           (window.ownerPID != 0 && isSystemSettingsProcess(window.ownerPID));
}

} // namespace

bool SystemSettingsWindowLookup::isSystemSettingsBundle(
    const std::optional<std::string>& identifier) {
    return identifier && (*identifier == "com.apple.systempreferences" ||
                          *identifier == "com.apple.SystemSettings");
}

std::optional<Rect>
SystemSettingsWindowLookup::find(const std::vector<WindowInfo>& windows,
                                 const std::function<bool(int32_t)>& isSystemSettingsProcess) {
    for (const WindowInfo& window : windows) {
        if (window.layer == 0 && window.bounds.width() > 360 && window.bounds.height() > 260 &&
            isSystemSettingsWindow(window, isSystemSettingsProcess)) {
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
        if (!displayHolds(display, centre)) {
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
    // The few processes of System Settings, found once rather than once per window.
    std::vector<int32_t> settingsProcesses;
    for (const RunningApplication& application : host.system().runningApplications()) {
        if (isSystemSettingsBundle(application.bundleIdentifier)) {
            settingsProcesses.push_back(application.processIdentifier);
        }
    }
    const auto bounds = find(*windows, [&settingsProcesses](int32_t pid) {
        return std::ranges::find(settingsProcesses, pid) != settingsProcesses.end();
    });
    if (!bounds) {
        return std::nullopt;
    }
    const DisplayServer& displays = host.displays();
    return toScreen(*bounds, displays.screens(),
                    [&displays](DisplayID display) { return displays.bounds(display); });
}

} // namespace tessarin
