#include "Hotkeys/HotkeyStore.h"
#include "Platform/Input/HotKeyCenter.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Keyboard/KeyboardPageTestSupport.h"

#include <QLabel>
#include <QTest>

namespace tessarin::testing {
namespace {

namespace Id = KeyboardShortcutsViewIdentifier;
constexpr uint32_t kCommandOptionControl = 0x1900;
const HotkeyCombination kCommandOptionK{40, HotkeyModifier::command | HotkeyModifier::option, "K",
                                        "k"};

// A machine whose X server keeps the keypad's plus with Control and Alt, as the usual keyboard
// map does, and Command-Option-K for a made-up action.
std::optional<HotKeyDeliveryIssue> usualServer(uint32_t keyCode, uint32_t modifiers) {
    if (keyCode == 69 && modifiers == kCommandOptionControl) {
        return HotKeyDeliveryIssue{HotKeyDeliveryProblem::keptByDisplayServer,
                                   "Ctrl+Alt+Super+KP_Add", "switching to the next video mode"};
    }
    if (keyCode == kCommandOptionK.keyCode && modifiers == kCommandOptionK.modifiers) {
        return HotKeyDeliveryIssue{HotKeyDeliveryProblem::keptByDisplayServer, "Ctrl+Alt+k",
                                   "logging its grabs"};
    }
    return std::nullopt;
}

class KeyboardPageDeliveryTest : public KeyboardPageTest {
protected:
    HotKeyDelivery& delivery() { return world.host.hotKeys().delivery(); }
    // The line under a hotkey's row, when it shows one.
    std::optional<std::string> warning(HotkeyIdentifier identifier) {
        auto* label = find<QLabel>(hotkeyDeliveryWarningIdentifier(identifier).toStdString());
        if (label == nullptr || !label->isVisible()) {
            return std::nullopt;
        }
        return label->text().toStdString();
    }
    std::string shown(HotkeyIdentifier identifier) {
        return find<ShortcutRecorderControl>(Id::shortcutControl(identifier, "recorder"))
            ->displayText()
            .toStdString();
    }
};

TEST_F(KeyboardPageDeliveryTest, TheLastSpaceRowNamesTheKeypadPlusAndSaysItCannotBePressed) {
    EXPECT_EQ(shown(HotkeyIdentifier::lastSpace), "⌘⌥⌃Keypad +");
    EXPECT_EQ(warning(HotkeyIdentifier::lastSpace), std::nullopt);
    delivery().setKeptRule(usualServer);
    settle();
    EXPECT_EQ(warning(HotkeyIdentifier::lastSpace),
              "Cannot be pressed on this machine: its X server keeps Ctrl+Alt+Super+KP_Add for "
              "switching to the next video mode. Record another shortcut.");
    for (HotkeyIdentifier other :
         {HotkeyIdentifier::showOSD, HotkeyIdentifier::left, HotkeyIdentifier::right}) {
        EXPECT_EQ(warning(other), std::nullopt) << rawValue(other);
    }
    // A row switched off shows no keys and so no warning.
    click(Id::shortcutControl(HotkeyIdentifier::lastSpace, "clear"));
    EXPECT_EQ(warning(HotkeyIdentifier::lastSpace), std::nullopt);
}

TEST_F(KeyboardPageDeliveryTest, AHeldCombinationsLineGoesWhenItsHolderLetsItGo) {
    delivery().setHeldElsewhere(
        {{{49, kCommandOptionControl},
          {HotKeyDeliveryProblem::heldByAnotherClient, "Ctrl+Alt+Super+space", {}}}});
    settle();
    EXPECT_EQ(warning(HotkeyIdentifier::showOSD),
              "Another program holds Ctrl+Alt+Super+space, so it does nothing here until that "
              "program lets it go.");
    delivery().setHeldElsewhere({});
    settle();
    EXPECT_EQ(warning(HotkeyIdentifier::showOSD), std::nullopt);
}

TEST_F(KeyboardPageDeliveryTest, ADirectSlotWhoseKeysAnotherProgramHoldsSaysSo) {
    const HotkeyCombination slot3 = defaultCombination(HotkeyIdentifier::space3);
    delivery().setHeldElsewhere(
        {{{slot3.keyCode, slot3.modifiers},
          {HotKeyDeliveryProblem::heldByAnotherClient, "Ctrl+Alt+Super+3", {}}}});
    settle();
    EXPECT_EQ(warning(HotkeyIdentifier::space3),
              "Another program holds Ctrl+Alt+Super+3, so it does nothing here until that "
              "program lets it go.");
    EXPECT_EQ(warning(HotkeyIdentifier::space4), std::nullopt);
}

TEST_F(KeyboardPageDeliveryTest, RecordingACombinationTheServerKeepsGetsTheSameLine) {
    delivery().setKeptRule(usualServer);
    settle();
    QTest::mouseClick(find(Id::shortcutControl(HotkeyIdentifier::right, "recorder")),
                      Qt::LeftButton);
    world.host.events().physical().pressKey(kCommandOptionK.keyCode,
                                            EventFlags::maskCommand | EventFlags::maskAlternate);
    settle();
    EXPECT_EQ(hotkeys().combination(HotkeyAction::cursor(HotkeyIdentifier::right)),
              kCommandOptionK);
    EXPECT_EQ(warning(HotkeyIdentifier::right),
              "Cannot be pressed on this machine: its X server keeps Ctrl+Alt+k for logging its "
              "grabs. Record another shortcut.");
}

} // namespace
} // namespace tessarin::testing
