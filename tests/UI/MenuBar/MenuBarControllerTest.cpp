#include "UI/MenuBar/MenuBarController.h"

#include "Platform/Host.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/Scenario.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QCloseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Writes into a list that outlives it, so a test sees that nothing reached it once it is gone.
class RecordingMenuBarDelegate : public MenuBarControllerDelegate {
public:
    explicit RecordingMenuBarDelegate(std::vector<std::string>& calls) : calls(calls) {}
    std::vector<std::string>& calls;
    bool onAllScreens = false;

    void performSpaceSwitch(TessarinDirection direction, const std::optional<std::string>& display,
                            const std::optional<HotkeyCombination>& trigger,
                            const OSDPresentationMetricsTraceRef& trace) override {
        calls.push_back("switch " + std::to_string(direction) +
                        (display || trigger || trace ? " with extras" : ""));
    }
    bool showsOSDSpacePickerOnAllScreens() const override { return onAllScreens; }
    void showOSDSpacePickerOnAllScreens() override { calls.push_back("grid on all screens"); }
    void showOSDSpacePickerOnCursorDisplay() override { calls.push_back("grid on cursor display"); }
    void createDesktopOnActiveDisplay() override { calls.push_back("add desktop"); }
    void openHealthCheck() override { calls.push_back("health check"); }
    void refreshSpaceInfo() override { calls.push_back("refreshSpaceInfo"); }
    void refreshPersistentGridOverlay() override { calls.push_back("refreshOverlay"); }
};

class MenuBarControllerTest : public ::testing::Test {
protected:
    MenuBarControllerTest() {
        testing::ensureApplication();
        controller.setDelegate(delegate);
        controller.setup();
    }
    // A missing item fails the test and stands in as an item that does nothing.
    MenuItem& item(const std::string& title) {
        static MenuItem missing("missing", nullptr);
        MenuItem* found = controller.statusItem()->menu()->itemWithTitle(title);
        EXPECT_NE(found, nullptr) << title;
        return found != nullptr ? *found : missing;
    }
    // Show Grid, then Switch Left, Right, Up, Down.
    std::vector<bool> enabledStates() {
        return {item("Show Grid").isEnabled(), item("Switch Left").isEnabled(),
                item("Switch Right").isEnabled(), item("Switch Up").isEnabled(),
                item("Switch Down").isEnabled()};
    }
    const StatusBarButton& button() { return *controller.statusItem()->button(); }
    bool showsTemplateIcon() {
        return button().image() && button().title().empty() &&
               StatusBarButton::isTemplate(*button().image()) &&
               button().image()->deviceIndependentSize() == QSizeF(20, 20);
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    std::vector<std::string> calls;
    std::shared_ptr<RecordingMenuBarDelegate> delegate =
        std::make_shared<RecordingMenuBarDelegate>(calls);
    MenuBarController controller;
};

TEST_F(MenuBarControllerTest, MenuHoldsItsItemsInOrderWithTheirKeys) {
    std::vector<std::string> entries;
    for (const auto& entry : controller.statusItem()->menu()->items()) {
        entries.push_back(
            entry->isSeparator() ? "-" : entry->title() + " [" + entry->keyEquivalent() + "]");
        EXPECT_FALSE(entry->image());
    }
    EXPECT_EQ(entries,
              (std::vector<std::string>{"Show Grid []", "Mission Control []", "Add Desktop []", "-",
                                        "Switch Left []", "Switch Right []", "Switch Up []",
                                        "Switch Down []", "-", "Health Check\u2026 []",
                                        "Settings\u2026 [,]", "-", "Quit Tessarin [q]"}));
    EXPECT_EQ(item("Settings\u2026").keyEquivalentModifierMask(), EventFlags::maskCommand);
    EXPECT_EQ(host.statusBar().items().size(), 1u);
}

TEST_F(MenuBarControllerTest, SwitchItemsFollowTheGridRules) {
    struct Case {
        const char* name;
        bool gridMode;
        std::optional<TessarinSpaceInfo> info;
        std::optional<MenuBarDirectionalAvailability> availability;
        std::vector<bool> expected; // Show Grid, Left, Right, Up, Down
    };
    // Five Spaces in four columns, on the last: the second row holds only it.
    const TessarinSpaceInfo last{4, 5, 9};
    // clang-format off
    const Case cases[] = {
        {"no Space info", true, std::nullopt, std::nullopt, {true, false, false, false, false}},
        {"no Space info, grid off", false, std::nullopt, std::nullopt, {false, true, true, false, false}},
        {"the delegate's verdict wins", true, last, MenuBarDirectionalAvailability{false, true, false, true}, {true, false, true, false, true}},
        {"asked of the bridge", true, last, std::nullopt, {true, false, false, true, false}},
    };
    // clang-format on
    controller.updateGridSettings(GridColumnCount::four, true, GridWrapStyle::snake);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller.setGridModeEnabled(c.gridMode);
        controller.updateSpaceState(c.info, std::nullopt, c.availability);
        EXPECT_EQ(enabledStates(), c.expected);
    }
}

TEST_F(MenuBarControllerTest, StatusItemShowsTheChosenPicture) {
    const TessarinSpaceInfo info{1, 6, 7};
    controller.updateSpaceState(info, std::nullopt, std::nullopt);
    EXPECT_TRUE(showsTemplateIcon()); // the default setting

    controller.setMenuBarIconSetting(MenuBarIconSetting::spaceNumber);
    controller.updateSpaceState(info, MenuBarGridIconModel::make(6, 4, 3), std::nullopt);
    EXPECT_EQ(button().title(), "5"); // the layout's position, not the system's
    EXPECT_TRUE(!button().image() && button().imagePosition() == StatusBarImagePosition::noImage);
    EXPECT_EQ(button().font(), (StatusBarFont{StatusBarFont::Kind::monospacedDigitSystem, 13,
                                              StatusBarFont::Weight::semibold}));
    controller.updateSpaceState(info, std::nullopt, std::nullopt);
    EXPECT_EQ(button().title(), "2");
    controller.updateSpaceState(TessarinSpaceInfo{0, 0, 0}, std::nullopt, std::nullopt);
    EXPECT_TRUE(showsTemplateIcon());

    controller.setMenuBarIconSetting(MenuBarIconSetting::minigrid);
    controller.updateSpaceState(info, MenuBarGridIconModel::make(10, 0, 2), std::nullopt);
    ASSERT_TRUE(button().image());
    EXPECT_EQ(button().image()->deviceIndependentSize(), QSizeF(18, 18)); // the grid picture
    // Eleven in two columns cannot be drawn: the symbol stands in.
    controller.updateSpaceState(info, MenuBarGridIconModel::make(11, 0, 2), std::nullopt);
    ASSERT_TRUE(button().image());
    EXPECT_EQ(button().image()->text("description"), "Tessarin");
    controller.setGridModeEnabled(false);
    EXPECT_TRUE(showsTemplateIcon());
}

TEST_F(MenuBarControllerTest, WithoutTheHostsSymbolAnUndrawableGridShowsNoPicture) {
    host.symbols().withdraw("arrow.left.and.right.square");
    controller.setMenuBarIconSetting(MenuBarIconSetting::minigrid);
    controller.updateSpaceState(TessarinSpaceInfo{1, 6, 7}, MenuBarGridIconModel::make(11, 0, 2),
                                std::nullopt);
    EXPECT_FALSE(button().image());
}

TEST_F(MenuBarControllerTest, HotkeysBecomeKeyEquivalentsOfTheirItemsOnly) {
    HotkeyCombination combination;
    combination.keyEquivalent = "g";
    combination.modifiers = 0x1000 | 0x800 | 0x100 | 0x4000; // Control, Option, Command, other
    controller.applyHotkey(combination, HotkeyIdentifier::space3);
    for (const auto& entry : controller.statusItem()->menu()->items()) {
        EXPECT_NE(entry->keyEquivalent(), "g");
    }
    controller.applyHotkey(combination, HotkeyIdentifier::showOSD);
    EXPECT_EQ(item("Show Grid").keyEquivalent(), "g");
    EXPECT_EQ(item("Show Grid").keyEquivalentModifierMask(),
              EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand);
}

TEST_F(MenuBarControllerTest, AHotkeyThatCannotBePressedIsNotOfferedUntilItCanBe) {
    const HotkeyCombination picker{49, 0x1900, "Space", " "};
    const HotkeyCombination right{124, 0x1900, "\u2192", "\uF703"};
    HotKeyDelivery& delivery = host.hotKeys().delivery();
    delivery.setHeldElsewhere(
        {{{49, 0x1900}, {HotKeyDeliveryProblem::heldByAnotherClient, "Ctrl+Alt+Super+space", {}}}});
    controller.applyHotkey(picker, HotkeyIdentifier::showOSD);
    controller.applyHotkey(right, HotkeyIdentifier::right);
    EXPECT_EQ(item("Show Grid").keyEquivalent(), "");
    EXPECT_EQ(item("Show Grid").keyEquivalentModifierMask(), 0u);
    EXPECT_EQ(item("Switch Right").keyEquivalent(), "\uF703");

    delivery.setHeldElsewhere({});
    EXPECT_EQ(item("Show Grid").keyEquivalent(), " ");
    EXPECT_EQ(item("Show Grid").keyEquivalentModifierMask(),
              EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand);

    delivery.setKeptRule([](uint32_t keyCode, uint32_t) -> std::optional<HotKeyDeliveryIssue> {
        if (keyCode != 124) {
            return std::nullopt;
        }
        return HotKeyDeliveryIssue{HotKeyDeliveryProblem::keptByDisplayServer, "Ctrl+Alt+Right",
                                   "switching to virtual terminal 2"};
    });
    EXPECT_EQ(item("Switch Right").keyEquivalent(), "");
    EXPECT_EQ(item("Show Grid").keyEquivalent(), " ");
}

TEST_F(MenuBarControllerTest, ARefreshReplacesThePendingOneAndOpeningTheMenuSchedulesOne) {
    controller.scheduleRefresh(0.05);
    queue.advance(0.01);
    controller.scheduleRefresh(0.05);
    queue.advance(0.049);
    EXPECT_TRUE(calls.empty());
    queue.advance(0.002);
    EXPECT_EQ(calls, (std::vector<std::string>{"refreshSpaceInfo", "refreshOverlay"}));

    Menu other;
    controller.menuWillOpen(other); // not its own menu
    controller.statusItem()->menu()->open();
    queue.advance(0.1);
    EXPECT_EQ(calls.size(), 4u);
}

TEST_F(MenuBarControllerTest, CommandsGoToTheDelegateWhileItLives) {
    controller.updateSpaceState(std::nullopt, std::nullopt,
                                MenuBarDirectionalAvailability{true, true, true, true});
    for (const char* title :
         {"Switch Left", "Switch Down", "Show Grid", "Add Desktop", "Health Check\u2026"}) {
        item(title).perform();
    }
    delegate->onAllScreens = true;
    item("Show Grid").perform();
    EXPECT_EQ(calls,
              (std::vector<std::string>{"switch 0", "switch 3", "grid on cursor display",
                                        "add desktop", "health check", "grid on all screens"}));
    item("Mission Control").perform();
    host.windowServer().setMissionControlOpen(true);
    item("Mission Control").perform();
    EXPECT_EQ(host.system().openedURLs(),
              (std::vector<std::string>{MenuBarController::missionControlURL}));
    controller.scheduleRefresh(0.05);
    calls.clear();
    delegate.reset();
    for (const char* title : {"Add Desktop", "Health Check\u2026", "Show Grid", "Switch Left"}) {
        item(title).perform();
    }
    queue.advance(0.1);
    EXPECT_EQ(calls, std::vector<std::string>{}) << "the controller kept its delegate alive";
}

// Only a failing test waits: a run the item did not end is ended after a second.
TEST_F(MenuBarControllerTest, QuitEndsTheRunEvenWhileAWindowRefusesToClose) {
    struct Stubborn : QWidget {
        void closeEvent(QCloseEvent* event) override { event->ignore(); }
    } window;
    window.show();
    QTimer::singleShot(0, [this] { item("Quit Tessarin").perform(); });
    QTimer::singleShot(1000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

} // namespace
} // namespace tessarin
