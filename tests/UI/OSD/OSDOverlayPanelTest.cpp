#include "UI/OSD/OSDWindowTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace tessarin::testing {
namespace {

TEST_F(OSDWindowTest, CommandPeriodCancelsOnlyWithCommandAloneAndFallsThroughWhenUnhandled) {
    struct Case {
        const char* name;
        uint16_t keyCode;
        std::string characters;
        uint64_t flags;
        bool cancels;
    };
    const Case cases[] = {
        {"period key", 47, ".", EventFlags::maskCommand, true},
        {"other layout types a period", 12, ".", EventFlags::maskCommand, true},
        {"shift as well", 47, ".", EventFlags::maskCommand | EventFlags::maskShift, false},
        {"no command", 47, ".", 0, false},
    };
    OSDOverlayPanel panel(Rect{0, 0, 100, 100});
    int cancels = 0;
    bool handlerAnswer = true;
    panel.cancelOperationHandler = [&] {
        ++cancels;
        return handlerAnswer;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Event event = Event::keyboard(c.keyCode, true, c.flags);
        event.characters = c.characters;
        cancels = 0;
        EXPECT_EQ(panel.performKeyEquivalent(event), c.cancels);
        EXPECT_EQ(cancels, c.cancels ? 1 : 0);
    }
    handlerAnswer = false;
    Event commandPeriod = Event::keyboard(47, true, EventFlags::maskCommand);
    EXPECT_FALSE(panel.keyDown(commandPeriod));
    EXPECT_FALSE(panel.cancelOperation());
}

TEST_F(OSDWindowTest, QtKeysReachThePanelAsHostKeyEvents) {
    OSDOverlayPanel panel(Rect{0, 0, 100, 100});
    int cancels = 0;
    std::vector<Event> keys;
    panel.cancelOperationHandler = [&] {
        ++cancels;
        return true;
    };
    panel.keyDownHandler = [&](const Event& event) {
        keys.push_back(event);
        return true;
    };
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&panel, &event);
    };
    press(Qt::Key_Escape, Qt::NoModifier);
    press(Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(cancels, 2);
    press(Qt::Key_A, Qt::ShiftModifier);
    press(Qt::Key_Up, Qt::NoModifier);
    ASSERT_EQ(keys.size(), 2U);
    EXPECT_EQ(keys[0].keyCode(), 0);
    EXPECT_EQ(keys[0].characters, "a");
    EXPECT_EQ(keys[0].flags & EventFlags::maskShortcutModifiers, EventFlags::maskShift);
    EXPECT_EQ(keys[1].keyCode(), 126);
}

// Keys reach the bindings both through the focused grid view and through the panel itself.
TEST_F(OSDWindowTest, KeysInAShownKeyboardGridReachItsBindings) {
    std::vector<int64_t> selected;
    OSDGridMouseInteractionContext context{.allowsKeyboardSelection = true};
    context.onSelect = [&](int64_t index) { selected.push_back(index); };
    window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::manual(), "UUID-A",
                context, std::nullopt, nullptr, nullptr);
    ASSERT_NE(window.gridWindow(), nullptr);
    EXPECT_TRUE(panel().isKeyWindow());
    QTest::keyClick(window.gridView(), Qt::Key_Right);
    QTest::keyClick(&panel(), Qt::Key_Down);
    QTest::keyClick(&panel(), Qt::Key_Return);
    EXPECT_EQ(selected, std::vector<int64_t>{3});
}

} // namespace
} // namespace tessarin::testing
