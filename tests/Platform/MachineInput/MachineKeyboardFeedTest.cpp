// Keys typed on the machine into a program window, through the feed into the host's session and
// back to the widget.

#include "Platform/MachineInput/MachineKeyboardFeed.h"

#include "Platform/Input/EventSystem.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "TestApplication.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

bool ensureWidgetApplication() {
    testing::ensureTestApplication();
    return true;
}

class MachineKeyboardFeedTest : public ::testing::Test {
protected:
    // A key as the windowing system hands it to the window: spontaneous, with the modifiers the
    // machine reports and, when it types one, its text.
    void key(bool press, Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = {}, bool autoRepeat = false) {
        QTest::simulateEvent(&field, press, code, modifiers, text, autoRepeat);
    }
    void settle() { queue.runUntilIdle(); }
    uint64_t heldModifiers() const {
        return events.flagsState() & EventFlags::maskShortcutModifiers;
    }
    std::size_t hostKeyUps() const {
        return events.frontApplicationEvents(EventType::keyUp).size();
    }

    // Before the widget below.
    bool applicationMade = ensureWidgetApplication();
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    EventSystem events{queue};
    QLineEdit field;
    MachineInputSession session{events};
    MachineKeyboardFeed feed{session};
};

// A letter of another alphabet has no host code and goes to the widget at once, unless a key
// typed before it is still on its way through the session.
TEST_F(MachineKeyboardFeedTest, AKeyWithoutAHostCodeWaitsForTheHostKeyTypedBeforeIt) {
    key(true, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    key(true, static_cast<Qt::Key>(0x0416), Qt::NoModifier, QStringLiteral("ж"));
    EXPECT_EQ(field.text(), QString()) << "the host key has not been delivered yet";
    settle();
    EXPECT_EQ(field.text(), QStringLiteral("aж"));
    EXPECT_EQ(feed.pendingCount(), 0u);
    key(true, static_cast<Qt::Key>(0x0416), Qt::NoModifier, QStringLiteral("ж"));
    EXPECT_EQ(field.text(), QStringLiteral("aжж")) << "with nothing waiting it goes straight on";
}

// The machine sends a release before each repeated press while a key is held; the host's key is
// still down.
TEST_F(MachineKeyboardFeedTest, ARepeatsReleaseIsNoKeyUpForTheHost) {
    key(true, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    for (int repeat = 0; repeat < 3; ++repeat) {
        key(false, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), true);
        key(true, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), true);
    }
    settle();
    EXPECT_EQ(hostKeyUps(), 0u);
    EXPECT_EQ(events.frontApplicationEvents(EventType::keyDown).size(), 4u);
    EXPECT_EQ(field.text(), QStringLiteral("kkkk"));
    key(false, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    settle();
    EXPECT_EQ(hostKeyUps(), 1u);
}

// A key held in the window: the machine repeats it, and the host's session sees the repeats as
// repeats (a hot key acts once while held), the first press as none.
TEST_F(MachineKeyboardFeedTest, ARepeatReachesTheHostMarkedAsARepeat) {
    key(true, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    for (int repeat = 0; repeat < 2; ++repeat) {
        key(false, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), true);
        key(true, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"), true);
    }
    settle();
    const auto downs = events.frontApplicationEvents(EventType::keyDown);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_FALSE(downs[0].isAutorepeat());
    EXPECT_TRUE(downs[1].isAutorepeat());
    EXPECT_TRUE(downs[2].isAutorepeat());
}

// Option was pressed before the window had the keys, so the session never saw it go down: the key
// typed with it brings the session's modifiers up to date.
TEST_F(MachineKeyboardFeedTest, AKeyPassedToTheHostRefreshesTheModifiersHeldWithIt) {
    key(true, Qt::Key_K, Qt::AltModifier, QStringLiteral("k"));
    EXPECT_EQ(heldModifiers(), EventFlags::maskAlternate);
    key(false, Qt::Key_K, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("K"));
    EXPECT_EQ(heldModifiers(), EventFlags::maskAlternate | EventFlags::maskShift);
    key(true, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    EXPECT_EQ(heldModifiers(), 0u) << "modifiers let go outside the window are let go too";
    settle();
}

// Two fields of one window, the keys in the first.
class MachineKeyboardFocusTest : public MachineKeyboardFeedTest {
protected:
    MachineKeyboardFocusTest() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        window.activateWindow();
        windowActive = QTest::qWaitForWindowActive(&window);
        first->setFocus();
    }
    // Typed where the keys are when the machine sends it, as the windowing system does.
    void typeIntoFocus(Qt::Key code, const QString& text = {}) {
        QTest::simulateEvent(QApplication::focusWidget(), true, code, Qt::NoModifier, text, false);
        QTest::simulateEvent(QApplication::focusWidget(), false, code, Qt::NoModifier, text, false);
    }

    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    bool windowActive = false;
};

// The Tab still on its way when "x" is typed moves the keys to the next field once it acts;
// "x" goes there, as the host sends a key to where the keys are when it arrives.
TEST_F(MachineKeyboardFocusTest, AKeyTypedBehindATabGoesToTheNextField) {
    ASSERT_TRUE(windowActive);
    ASSERT_EQ(QApplication::focusWidget(), first);
    typeIntoFocus(Qt::Key_Tab);
    typeIntoFocus(Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(QApplication::focusWidget(), first) << "the Tab has not acted yet";
    settle();
    EXPECT_EQ(QApplication::focusWidget(), second);
    EXPECT_EQ(first->text(), QString());
    EXPECT_EQ(second->text(), QStringLiteral("x"));
}

struct LoneModifierCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifier qtModifier; // the machine's modifier the key stands for
    uint64_t hostFlag;
};

// CTest's listing names the row, not its bytes.
void PrintTo(const LoneModifierCase& row, std::ostream* out) {
    *out << row.name;
}

class LoneModifierKeyTest : public MachineKeyboardFeedTest,
                            public ::testing::WithParamInterface<LoneModifierCase> {};

// The machine reports a modifier key's own press without its modifier and its release with it;
// the host holds exactly the modifier of the key, Super standing for the host's Control.
TEST_P(LoneModifierKeyTest, HoldsAndLetsGoExactlyItsModifier) {
    const LoneModifierCase& row = GetParam();
    key(true, row.key);
    EXPECT_EQ(heldModifiers(), row.hostFlag);
    key(false, row.key, row.qtModifier);
    EXPECT_EQ(heldModifiers(), 0u);
    // Pressed while Shift is held, let go while Shift still is: Shift stays.
    const bool isShift = row.key == Qt::Key_Shift;
    const Qt::KeyboardModifiers other = isShift ? Qt::AltModifier : Qt::ShiftModifier;
    const uint64_t otherFlag = isShift ? EventFlags::maskAlternate : EventFlags::maskShift;
    key(true, row.key, other);
    EXPECT_EQ(heldModifiers(), row.hostFlag | otherFlag);
    key(false, row.key, other | row.qtModifier);
    EXPECT_EQ(heldModifiers(), otherFlag);
    EXPECT_EQ(feed.pendingCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LoneModifierKeyTest,
    ::testing::Values(
        LoneModifierCase{"Alt", Qt::Key_Alt, Qt::AltModifier, EventFlags::maskAlternate},
        LoneModifierCase{"Control", Qt::Key_Control, Qt::ControlModifier, EventFlags::maskCommand},
        LoneModifierCase{"Shift", Qt::Key_Shift, Qt::ShiftModifier, EventFlags::maskShift},
        LoneModifierCase{"SuperLeft", Qt::Key_Super_L, Qt::MetaModifier, EventFlags::maskControl},
        LoneModifierCase{"SuperRight", Qt::Key_Super_R, Qt::MetaModifier, EventFlags::maskControl},
        LoneModifierCase{"Meta", Qt::Key_Meta, Qt::MetaModifier, EventFlags::maskControl}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
