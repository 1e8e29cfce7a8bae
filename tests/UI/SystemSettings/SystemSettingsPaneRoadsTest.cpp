// The roads from the program to the host's Keyboard Shortcuts and Desktop & Dock panes, taken
// by clicks as a person takes them.

#include "Platform/Program/ProgramActivation.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "UI/Health/HealthWorld.h"
#include "UI/Preferences/Keyboard/KeyboardPageTestSupport.h"
#include "UI/Preferences/Kit/SettingsCheckBox.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/SystemSettings/DesktopAndDockPaneWindow.h"
#include "UI/SystemSettings/KeyboardShortcutsPaneWindow.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace tessarin {
namespace {

namespace Id = KeyboardShortcutsViewIdentifier;

constexpr int kMissionControl = 32;
const HotkeyCombination kControlUp{126, HotkeyModifier::control, "↑", ""};

// The shown window of a kind among the desktop's windows.
template <class Window> Window* shown() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = dynamic_cast<Window*>(window); found && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// The Keyboard page with System Settings mirrored on the desktop, as the program has it.
class KeyboardShortcutsPaneRoadTest : public testing::KeyboardPageTest {
protected:
    KeyboardShortcutsPaneRoadTest() {
        // The picker's hotkey taken to Mission Control's keys, used anyway.
        world.host.system().scriptAlertResponse(AlertResponse::firstButton);
        page->handleRecordingResult(kControlUp, picker);
        settle();
    }
    QLabel* clashCard() { return find<QLabel>(Id::systemShortcutConflictDetail); }
    // Clicks a shortcut's check box in the pane where a person sees it.
    void clickCheckBox(KeyboardShortcutsPaneWindow& pane, int hotKey) {
        auto* check =
            pane.findChild<SettingsCheckBox*>(KeyboardShortcutsPaneWindow::checkBoxName(hotKey));
        ASSERT_NE(check, nullptr) << hotKey;
        ASSERT_TRUE(check->isVisible());
        QStyleOptionButton option;
        option.initFrom(check);
        const QRect box =
            check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
        QTest::mouseClick(check, Qt::LeftButton, {}, box.center());
    }
    // Back to the program's window: the program becomes active again.
    void comeBack() {
        world.host.programActivation().activate();
        world.queue.advance(0.1);
        testing::flushDeferredDeletes();
    }

    const HotkeyAction picker = HotkeyAction::cursor(HotkeyIdentifier::showOSD);
    SystemSettingsMirror mirror{world.host.systemSettings()};
};

TEST_F(KeyboardShortcutsPaneRoadTest, TurningTheClashingShortcutOffInThePaneTakesTheCardAway) {
    ASSERT_NE(clashCard(), nullptr);
    click(Id::systemShortcutConflictOpenControl);
    world.queue.advance(0.1);
    auto* pane = shown<KeyboardShortcutsPaneWindow>();
    ASSERT_NE(pane, nullptr);
    EXPECT_FALSE(world.host.programActivation().isActive());
    auto* keys = pane->findChild<QLabel*>(KeyboardShortcutsPaneWindow::keysName(kMissionControl));
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->text(), "⌃↑");
    auto* check = pane->findChild<SettingsCheckBox*>(
        KeyboardShortcutsPaneWindow::checkBoxName(kMissionControl));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Mission Control");
    EXPECT_TRUE(check->isChecked());

    clickCheckBox(*pane, kMissionControl);
    EXPECT_FALSE(world.host.symbolicHotKeys().isEnabled(kMissionControl));
    world.queue.advance(0.1);
    testing::flushDeferredDeletes();
    // The pane shows it off; its keys stay, dimmed.
    check = pane->findChild<SettingsCheckBox*>(
        KeyboardShortcutsPaneWindow::checkBoxName(kMissionControl));
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isChecked());
    comeBack();
    EXPECT_EQ(clashCard(), nullptr);

    // On again: the clash is back when the page is next read.
    clickCheckBox(*pane, kMissionControl);
    EXPECT_TRUE(world.host.symbolicHotKeys().isEnabled(kMissionControl));
    world.host.programActivation().resignActive();
    comeBack();
    EXPECT_NE(clashCard(), nullptr);
}

TEST_F(KeyboardShortcutsPaneRoadTest, ComingBackWithNothingChangedLeavesThePageAsItIs) {
    const QPointer<QLabel> card = clashCard();
    ASSERT_TRUE(card);
    click(Id::systemShortcutConflictOpenControl);
    world.queue.advance(0.1);
    comeBack();
    EXPECT_TRUE(card); // not built again: a click that brought the program back is not lost
    EXPECT_EQ(clashCard(), card.data());
}

TEST_F(KeyboardShortcutsPaneRoadTest, TheAlertsOpenKeyboardShortcutsLeadsToThePaneAndFreesTheKeys) {
    const HotkeyAction right = HotkeyAction::cursor(HotkeyIdentifier::right);
    const HotkeyCombination controlRight{124, HotkeyModifier::control, "→", ""};
    world.host.system().scriptAlertResponse(AlertResponse::secondButton);
    page->handleRecordingResult(controlRight, right);
    settle();
    EXPECT_NE(hotkeys().combination(right), controlRight); // nothing stored
    auto* pane = shown<KeyboardShortcutsPaneWindow>();
    ASSERT_NE(pane, nullptr);
    clickCheckBox(*pane, 81); // Move right a space
    EXPECT_FALSE(world.host.symbolicHotKeys().isEnabled(81));

    const std::size_t alerts = alertTitles().size();
    comeBack();
    page->handleRecordingResult(controlRight, right);
    settle();
    EXPECT_EQ(alertTitles().size(), alerts); // no clash left to ask about
    EXPECT_EQ(hotkeys().combination(right), controlRight);
}

TEST_F(KeyboardShortcutsPaneRoadTest, ThePaneListsEveryDesktopAndFollowsTheAppearance) {
    click(Id::systemShortcutConflictOpenControl);
    world.queue.advance(0.1);
    auto* pane = shown<KeyboardShortcutsPaneWindow>();
    ASSERT_NE(pane, nullptr);
    // Display A has eight Desktops: each has its row, off with the system's keys.
    for (int desktop = 1; desktop <= 8; ++desktop) {
        auto* check = pane->findChild<SettingsCheckBox*>(
            KeyboardShortcutsPaneWindow::checkBoxName(117 + desktop));
        ASSERT_NE(check, nullptr) << desktop;
        EXPECT_EQ(check->text(), "Switch to Desktop " + QString::number(desktop));
        EXPECT_FALSE(check->isChecked());
    }
    EXPECT_EQ(pane->findChild<QWidget*>(KeyboardShortcutsPaneWindow::checkBoxName(126)), nullptr);
    auto* title = pane->findChild<QLabel*>("systemSettings.keyboardShortcuts.title");
    ASSERT_NE(title, nullptr);
    for (const Appearance appearance : {Appearance::dark, Appearance::light}) {
        world.host.system().setAppearance(appearance);
        world.queue.runUntilIdle();
        EXPECT_EQ(SettingsPageLayout::textColor(*title),
                  SettingsPageLayout::resolvedColor(SettingsSystemColor::label, appearance));
        EXPECT_EQ(
            pane->grab().toImage().pixelColor(4, 4),
            SettingsPageLayout::resolvedColor(SettingsSystemColor::windowBackground, appearance));
    }
    // Closing it closes System Settings.
    EXPECT_TRUE(pane->close());
    EXPECT_FALSE(world.host.systemSettings().pane());
}

// The setup wizard on a host whose displays share their Spaces and rearrange them by use.
class DesktopAndDockPaneRoadTest : public testing::HealthWorld {
protected:
    DesktopAndDockPaneRoadTest() : HealthWorld(fakes::switchingScenario(1, true)) {
        host().system().setProcessTrusted(true);
        grantCapture();
        controller().present(TessarinHealthCheckPresentationMode::setup);
        press("health.practice.skip");
    }
    void clickSwitch(DesktopAndDockPaneWindow& pane, const char* name) {
        auto* control = pane.findChild<SettingsSwitch*>(name);
        ASSERT_NE(control, nullptr) << name;
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    SystemSettingsMirror mirror{host().systemSettings()};
};

TEST_F(DesktopAndDockPaneRoadTest, EachStepsOpenLeadsToItsSwitchAndTheNextTickGoesOn) {
    ASSERT_EQ(step(), "2"); // Displays have separate Spaces
    press("health.action.2");
    world.queue.advance(0.1);
    auto* pane = shown<DesktopAndDockPaneWindow>();
    ASSERT_NE(pane, nullptr);
    auto* separate =
        pane->findChild<SettingsSwitch*>(DesktopAndDockPaneWindow::separateSpacesSwitchName);
    ASSERT_NE(separate, nullptr);
    EXPECT_FALSE(separate->isOn());
    clickSwitch(*pane, DesktopAndDockPaneWindow::separateSpacesSwitchName);
    EXPECT_TRUE(host().windowServer().displaysHaveSeparateSpaces());
    world.queue.advance(1.0);
    ASSERT_EQ(step(), "3"); // Auto re-arrange Spaces

    press("health.action.3");
    world.queue.advance(0.1);
    ASSERT_EQ(shown<DesktopAndDockPaneWindow>(), pane);
    testing::flushDeferredDeletes();
    auto* rearrange =
        pane->findChild<SettingsSwitch*>(DesktopAndDockPaneWindow::autoRearrangeSwitchName);
    ASSERT_NE(rearrange, nullptr);
    EXPECT_TRUE(rearrange->isOn());
    clickSwitch(*pane, DesktopAndDockPaneWindow::autoRearrangeSwitchName);
    EXPECT_EQ(host().preferences().copyAppValue("mru-spaces", "com.apple.dock"),
              PropertyValue(false));
    world.queue.advance(1.0);
    EXPECT_EQ(step(), "4"); // Start at login: both passed without "Skip"
    EXPECT_TRUE(page().skippedRecommendedIdentifiers().empty());
}

TEST_F(DesktopAndDockPaneRoadTest, TheSwitchesShowWhatTheHostHoldsWhoeverChangedIt) {
    press("health.action.2");
    world.queue.advance(0.1);
    auto* pane = shown<DesktopAndDockPaneWindow>();
    ASSERT_NE(pane, nullptr);
    host().preferences().setAppValue("mru-spaces", PropertyValue(false), "com.apple.dock");
    world.queue.advance(0.1);
    testing::flushDeferredDeletes();
    auto* rearrange =
        pane->findChild<SettingsSwitch*>(DesktopAndDockPaneWindow::autoRearrangeSwitchName);
    ASSERT_NE(rearrange, nullptr);
    EXPECT_FALSE(rearrange->isOn());
    // Another pane in the same window: this one goes.
    host().system().openURL(
        "x-apple.systempreferences:com.apple.Keyboard-Settings.extension?KeyboardShortcuts");
    world.queue.advance(0.1);
    EXPECT_FALSE(pane->isVisible());
    EXPECT_NE(shown<KeyboardShortcutsPaneWindow>(), nullptr);
}

} // namespace
} // namespace tessarin
