#include "Model/Spaces/ScreenIdentity.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"

namespace tessarin {

std::optional<DisplayID> tessarinDisplayID(const Screen& screen) {
    if (screen.displayID == 0) {
        return std::nullopt;
    }
    return screen.displayID;
}

std::optional<std::string> tessarinDisplayIdentifier(const Screen& screen) {
    const auto displayID = tessarinDisplayID(screen);
    if (!displayID) {
        return std::nullopt;
    }
    const auto& displayUUID = Host::current().calls().displayUUID;
    if (displayUUID) {
        if (auto uuid = displayUUID(*displayID); uuid && !uuid->empty()) {
            return uuid;
        }
    }
    return std::to_string(*displayID);
}

std::optional<Screen> tessarinScreen(const std::optional<std::string>& displayIdentifier) {
    if (!displayIdentifier) {
        return std::nullopt;
    }
    for (const Screen& screen : Host::current().displays().screens()) {
        if (tessarinDisplayIdentifier(screen) == displayIdentifier) {
            return screen;
        }
    }
    return std::nullopt;
}

std::optional<Screen> tessarinScreenContainingMouse() {
    const DisplayServer& displays = Host::current().displays();
    if (auto screen = displays.screenContaining(displays.mouseLocation())) {
        return screen;
    }
    return displays.mainScreen();
}

} // namespace tessarin
