// The Keyboard page driven by keys typed on the machine: each key goes through the host's
// session, as in the program, before a widget gets it.

#include "Hotkeys/HotkeyStore.h"
#include "Platform/MachineInput/MachineKeyboardFeed.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Keyboard/KeyboardPageTestSupport.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"

#include <QLineEdit>
#include <QTest>

namespace tessarin::testing {
namespace {

namespace Id = KeyboardShortcutsViewIdentifier;

constexpr Qt::KeyboardModifiers kCommand = Qt::ControlModifier; // Qt's Control is Command
const HotkeyAction kRight = HotkeyAction::cursor(HotkeyIdentifier::right);

class TypedKeysKeyboardPageTest : public KeyboardPageTest {
protected:
    ShortcutRecorderControl* recorder(HotkeyIdentifier identifier) {
        return find<ShortcutRecorderControl>(Id::shortcutControl(identifier, "recorder"));
    }
    void type(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        ASSERT_NE(widget, nullptr);
        QTest::keyClick(widget, key, modifiers);
        settle();
    }
    // Starts a recording as a user does, with a click.
    void startRecording(HotkeyIdentifier identifier) {
        QTest::mouseClick(recorder(identifier), Qt::LeftButton);
        settle();
        EXPECT_TRUE(recorder(identifier)->isRecording());
    }
    std::optional<std::pair<uint32_t, uint32_t>> stored(const HotkeyAction& action) {
        const auto combination = hotkeys().combination(action);
        if (!combination) {
            return std::nullopt;
        }
        return std::make_pair(combination->keyCode, combination->modifiers);
    }

    MachineInputSession session{world.host.events()};
    MachineKeyboardFeed feed{session};
};

TEST_F(TypedKeysKeyboardPageTest, AShortcutTypedOnARecorderIsRecorded) {
    startRecording(HotkeyIdentifier::right);
    type(recorder(HotkeyIdentifier::right), Qt::Key_L, kCommand | Qt::AltModifier);
    EXPECT_EQ(stored(kRight),
              std::make_pair(37u, HotkeyModifier::command | HotkeyModifier::option));
    EXPECT_FALSE(recorder(HotkeyIdentifier::right)->isRecording());
    EXPECT_EQ(recorder(HotkeyIdentifier::right)->displayText(), "⌘⌥L");
    EXPECT_EQ(feed.pendingCount(), 0u);
    EXPECT_EQ(world.host.events().flagsState() & EventFlags::maskShortcutModifiers, 0u)
        << "the modifiers let go reach the session too";
}

TEST_F(TypedKeysKeyboardPageTest, EscapeEndsARecordingAndKeepsTheShortcut) {
    const auto before = stored(kRight);
    startRecording(HotkeyIdentifier::right);
    type(recorder(HotkeyIdentifier::right), Qt::Key_Escape);
    EXPECT_FALSE(recorder(HotkeyIdentifier::right)->isRecording());
    EXPECT_EQ(stored(kRight), before);
    EXPECT_EQ(world.beeps(), 0);
}

TEST_F(TypedKeysKeyboardPageTest, ARefusedKeyBeepsAndTheNextOneRecords) {
    startRecording(HotkeyIdentifier::right);
    type(recorder(HotkeyIdentifier::right), Qt::Key_K); // no modifier: not a shortcut
    EXPECT_EQ(world.beeps(), 1);
    EXPECT_TRUE(recorder(HotkeyIdentifier::right)->isRecording());
    type(recorder(HotkeyIdentifier::right), Qt::Key_K, kCommand);
    EXPECT_EQ(stored(kRight), std::make_pair(40u, HotkeyModifier::command));
}

TEST_F(TypedKeysKeyboardPageTest, AShortcutAnotherHotkeyHoldsIsRefusedWithItsAlert) {
    const auto before = stored(kRight);
    startRecording(HotkeyIdentifier::right);
    // Left's default: Control-Option-Command-Left, typed as Meta, Alt and Control.
    type(recorder(HotkeyIdentifier::right), Qt::Key_Left,
         Qt::MetaModifier | Qt::AltModifier | kCommand);
    EXPECT_EQ(alertTitles(), std::vector<std::string>{"Shortcut already in use"});
    EXPECT_EQ(stored(kRight), before);
}

TEST_F(TypedKeysKeyboardPageTest, AHotkeyTypedInAFieldActsAndIsNotTyped) {
    world.d().gridModeStore.isEnabled.set(false); // a switch posts at once
    settle();
    startRecording(HotkeyIdentifier::right);
    type(recorder(HotkeyIdentifier::right), Qt::Key_K, Qt::ShiftModifier);
    selectTarget(1); // Built-in: its names are editable
    auto* field = find<QLineEdit>(Id::directSlotControl(HotkeyIdentifier::space1, "name"));
    ASSERT_NE(field, nullptr);
    field->setText("abc");
    field->setCursorPosition(0);
    // Shift-K would type a "K"; the hot key takes it first.
    type(field, Qt::Key_K, Qt::ShiftModifier);
    world.queue.advance(2);
    EXPECT_EQ(world.current(), 102u);
    EXPECT_EQ(field->text().toStdString(), "abc");
    type(field, Qt::Key_X);
    EXPECT_EQ(field->text().toStdString(), "xabc") << "a key no one takes is typed";
}

} // namespace
} // namespace tessarin::testing
