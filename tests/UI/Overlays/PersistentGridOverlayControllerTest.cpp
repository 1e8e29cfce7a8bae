#include "UI/Overlays/PersistentGridOverlayController.h"

#include "UI/Overlays/PersistentOverlayTestSupport.h"

namespace tessarin::testing {
namespace {

class PersistentGridOverlayControllerTest : public PersistentOverlayTest {
protected:
    void refresh(bool gridMode = true) {
        controller.refresh(
            gridMode,
            [this](const std::string& display) -> std::optional<MenuBarGridIconModel> {
                if (display == "UUID-A" && !modelA) {
                    return std::nullopt;
                }
                return MenuBarGridIconModel::make(4, 1, 2);
            },
            [this](const std::string& display) {
                return display == "UUID-A" ? settingsA : settingsB;
            });
    }

    PersistentGridOverlayController controller;
    DisplayOverlaySettings settingsA{true,
                                     OSDPlacement::topRight,
                                     PersistentGridOverlayOpacity::percent40,
                                     PersistentGridOverlaySize::medium,
                                     {}};
    DisplayOverlaySettings settingsB{true,
                                     OSDPlacement::bottomLeft,
                                     PersistentGridOverlayOpacity::percent100,
                                     PersistentGridOverlaySize::large,
                                     {}};
    bool modelA = true;
};

TEST_F(PersistentGridOverlayControllerTest, EachDisplayGetsItsOwnWindowPlacedInItsVisibleFrame) {
    refresh();
    const OSDOverlayPanel* a = controller.window("UUID-A");
    const OSDOverlayPanel* b = controller.window("UUID-B");
    ASSERT_TRUE(a && b);
    // 88 points, 24 points in from the right and top of A's visible frame (0, 0, 1440, 875).
    EXPECT_EQ(a->hostFrame(), Rect(1440 - 88 - 24, 875 - 88 - 24, 88, 88));
    EXPECT_EQ(b->hostFrame(), Rect(1440 + 24, 24, 154, 154));
    EXPECT_DOUBLE_EQ(a->alpha(), 0.4);
    EXPECT_TRUE(shown(a) && shown(b));

    settingsA.placement = OSDPlacement::center;
    refresh();
    EXPECT_EQ(a->hostFrame().origin, Point(720 - 44, 437.5 - 44));
}

TEST_F(PersistentGridOverlayControllerTest, GridModeOffAndZeroOpacityHideButKeepTheWindows) {
    refresh();
    const OSDOverlayPanel* a = controller.window("UUID-A");
    refresh(false);
    EXPECT_FALSE(shown(a));
    EXPECT_EQ(controller.window("UUID-A"), a);
    refresh();
    EXPECT_TRUE(shown(a));
    settingsA.opacity = PersistentGridOverlayOpacity::percent0;
    refresh();
    EXPECT_EQ(controller.window("UUID-A"), a);
    EXPECT_FALSE(shown(a));
    controller.hideAll();
    EXPECT_FALSE(shown(controller.window("UUID-B")));
}

TEST_F(PersistentGridOverlayControllerTest, ADisplayLosesItsWindowWhenOffUndrawableOrGone) {
    refresh();
    settingsB.isEnabled = false;
    refresh();
    EXPECT_EQ(controller.window("UUID-B"), nullptr);
    modelA = false;
    refresh();
    EXPECT_EQ(controller.window("UUID-A"), nullptr);

    modelA = true;
    settingsB.isEnabled = true;
    refresh();
    host.displays().setScreens({scenario().displays[0]});
    refresh();
    EXPECT_EQ(controller.displayIdentifiers(), (std::vector<std::string>{"UUID-A"}));
}

} // namespace
} // namespace tessarin::testing
