// The Keyboard page driven by clicks made on the machine: each press and release goes through
// the host's session, as in the program, before a widget gets it.

#include "Platform/Input/EventSystem.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineInput/MachineKeyboardFeed.h"
#include "Platform/MachineInput/MachineMouseFeed.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Keyboard/KeyboardPageTestSupport.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"

#include <QAbstractButton>
#include <QTest>

namespace tessarin::testing {
namespace {

namespace Id = KeyboardShortcutsViewIdentifier;

class ClickedKeyboardPageTest : public KeyboardPageTest {
protected:
    ShortcutRecorderControl* recorder(HotkeyIdentifier identifier) {
        return find<ShortcutRecorderControl>(Id::shortcutControl(identifier, "recorder"));
    }
    QAbstractButton* hideOnDirectJump() {
        return find<QAbstractButton>(Id::hideOSDOnDirectJumpControl);
    }
    void clickOn(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
    }
    int mouseDownsReachingTheProgram() {
        return static_cast<int>(
            world.host.events().frontApplicationEvents(EventType::leftMouseDown).size());
    }

    MachineInputSession session{world.host.events()};
    MachineKeyboardFeed keys{session};
    MachineMouseFeed mouse{session, world.host};
};

TEST_F(ClickedKeyboardPageTest, AClickOnARecorderStartsARecordingThroughTheSession) {
    clickOn(recorder(HotkeyIdentifier::right));
    EXPECT_TRUE(recorder(HotkeyIdentifier::right)->isRecording());
    EXPECT_EQ(mouseDownsReachingTheProgram(), 1) << "the press travelled the session";
    EXPECT_EQ(session.pendingCount(), 0u);
}

TEST_F(ClickedKeyboardPageTest, AClickElsewhereEndsTheRecordingAndIsSwallowed) {
    const bool before = hideOnDirectJump()->isChecked();
    clickOn(recorder(HotkeyIdentifier::right));
    clickOn(hideOnDirectJump());
    EXPECT_FALSE(recorder(HotkeyIdentifier::right)->isRecording());
    EXPECT_EQ(hideOnDirectJump()->isChecked(), before) << "the clicked switch did not act";
    EXPECT_EQ(mouseDownsReachingTheProgram(), 1) << "only the recorder's own click got through";
    // The next click is the switch's again.
    clickOn(hideOnDirectJump());
    EXPECT_NE(hideOnDirectJump()->isChecked(), before);
}

TEST_F(ClickedKeyboardPageTest, AQuickClickAfterASwallowedOneActs) {
    const bool before = hideOnDirectJump()->isChecked();
    clickOn(recorder(HotkeyIdentifier::right));
    clickOn(hideOnDirectJump());
    // Qt reports a press in quick succession on the same spot as a double click only.
    QTest::mouseDClick(hideOnDirectJump(), Qt::LeftButton);
    QTest::mouseRelease(hideOnDirectJump(), Qt::LeftButton);
    settle();
    EXPECT_NE(hideOnDirectJump()->isChecked(), before);
    const auto downs = world.host.events().frontApplicationEvents(EventType::leftMouseDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].integerValue(EventField::mouseEventClickState), 2);
}

TEST_F(ClickedKeyboardPageTest, ASecondClickOnTheRecordingRecorderEndsIt) {
    clickOn(recorder(HotkeyIdentifier::right));
    clickOn(recorder(HotkeyIdentifier::right));
    EXPECT_FALSE(recorder(HotkeyIdentifier::right)->isRecording());
    clickOn(recorder(HotkeyIdentifier::right));
    EXPECT_TRUE(recorder(HotkeyIdentifier::right)->isRecording()) << "a third click records";
}

TEST_F(ClickedKeyboardPageTest, AClickOnAnotherRecorderOnlyEndsTheRecording) {
    clickOn(recorder(HotkeyIdentifier::right));
    clickOn(recorder(HotkeyIdentifier::left));
    EXPECT_FALSE(recorder(HotkeyIdentifier::right)->isRecording());
    EXPECT_FALSE(recorder(HotkeyIdentifier::left)->isRecording());
}

} // namespace
} // namespace tessarin::testing
