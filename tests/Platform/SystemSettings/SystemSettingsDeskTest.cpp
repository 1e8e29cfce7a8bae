#include "Platform/PlatformWorld.h"
#include "Platform/SystemSettings/SystemSettings.h"

namespace tessarin {
namespace {

constexpr const char* desktopAndDock =
    "x-apple.systempreferences:com.apple.Desktop-Settings.extension";
constexpr const char* keyboard =
    "x-apple.systempreferences:com.apple.Keyboard-Settings.extension?KeyboardShortcuts";

// System Settings reading a desktop of 1920 x 1080 where the health window floats at the top left.
class SystemSettingsDeskTest : public HostWorld {
protected:
    SystemSettingsDeskTest() {
        settings().setDeskReader([this] { return desk; });
    }
    SystemSettings& settings() { return host.systemSettings(); }

    SystemSettingsDesk desk{{0, 0, 1920, 1080}, {{25, 69, 540, 400}}};
};

TEST_F(SystemSettingsDeskTest, TheWindowOpensBesideAFloatingWindowInsteadOfUnderIt) {
    ASSERT_TRUE(settings().open(desktopAndDock));
    EXPECT_EQ(settings().windowBounds(), (Rect{589, 140, 715, 620}));
}

TEST_F(SystemSettingsDeskTest, AnOpenWindowMovesOutFromUnderAFloatingWindowForTheNextPane) {
    desk.floatingWindows.clear();
    ASSERT_TRUE(settings().open(keyboard));
    EXPECT_EQ(settings().windowBounds(), (Rect{260, 140, 715, 620}));
    const WindowID window = *settings().window();

    desk.floatingWindows = {{25, 69, 540, 400}};
    ASSERT_TRUE(settings().open(desktopAndDock));
    EXPECT_EQ(settings().window(), window);
    EXPECT_EQ(settings().windowBounds(), (Rect{589, 140, 715, 620}));
}

TEST_F(SystemSettingsDeskTest, WithoutRoomTheWindowKeepsItsFrame) {
    desk.screen = {0, 0, 1024, 768};
    ASSERT_TRUE(settings().open(desktopAndDock));
    EXPECT_EQ(settings().windowBounds(), (Rect{260, 140, 715, 620}));
    ASSERT_TRUE(settings().moveWindow({300, 100, 715, 620}));
    ASSERT_TRUE(settings().open(keyboard));
    EXPECT_EQ(settings().windowBounds(), (Rect{300, 100, 715, 620}));
}

} // namespace
} // namespace tessarin
