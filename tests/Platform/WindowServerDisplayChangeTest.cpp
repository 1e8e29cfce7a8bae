#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <thread>

namespace tessarin {

namespace {

ManagedSpace desktop(SpaceID id) {
    return {id, kSpaceTypeUserDesktop, spaceUUIDString(id)};
}

const Screen kLeft{1, "UUID-A", "Left", {0, 0, 1920, 1080}, {0, 0, 1920, 1055}, 2.0};
const Screen kRight{2, "UUID-B", "Right", {1920, 0, 1920, 1080}, {1920, 0, 1920, 1055}, 2.0};

// The menu bar is on the right display when the main thread unplugs it. A reader on another
// thread, let in while the display server is mid-change, must see only the window server's own
// copy of the displays, never the display server's list being replaced under it.
TEST(WindowServerDisplayChange, ReadersOffTheMainThreadNeverReachTheChangingDisplayList) {
    VirtualMainQueue queue;
    WorkspaceNotificationCenter notifications{queue};
    DisplayServer displays{{kLeft, kRight}};
    WindowServer* server = nullptr;
    SpaceID readMidChange = 0;
    // Registered before the window server exists, so it runs before the server hears of the
    // change, while the display server already holds the new list.
    displays.addConfigurationObserver(
        [&] { std::thread([&] { readMidChange = server->activeSpace(); }).join(); });
    WindowServer windowServer{displays, notifications};
    server = &windowServer;
    windowServer.configureSpaces(true,
                                 {{"UUID-A", {desktop(11)}, 11}, {"UUID-B", {desktop(21)}, 21}});
    windowServer.setActiveMenuBarDisplay(2);

    displays.setScreens({kLeft});

    EXPECT_EQ(readMidChange, 21u);
    EXPECT_EQ(windowServer.activeSpace(), 11u);
}

} // namespace
} // namespace tessarin
