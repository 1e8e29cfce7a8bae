#include "Platform/Input/HostKeyEvent.h"

#include "Platform/Input/KeyboardLayout.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The key controls read window keys the way the session taps read physical ones.
TEST(HostKeyEventTest, AQtKeyBecomesTheHostsKeyCodeWithTheLayoutsCharacters) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::optional<uint16_t> keyCode;
        uint64_t flags;
    };
    // Key events need the application's input devices.
    testing::ensureWidgetApplication();
    // clang-format off
    const Case cases[] = {
        {"letter", Qt::Key_J, Qt::NoModifier, 38, 0},
        {"shiftedLetter", Qt::Key_J, Qt::ShiftModifier, 38, EventFlags::maskShift},
        {"controlIsCommand", Qt::Key_J, Qt::ControlModifier, 38, EventFlags::maskCommand},
        {"metaIsControl", Qt::Key_J, Qt::MetaModifier, 38, EventFlags::maskControl},
        {"functionKey", Qt::Key_F5, Qt::NoModifier, 96, 0},
        {"keypadDigit", Qt::Key_5, Qt::KeypadModifier, 87, 0},
        {"mainDigit", Qt::Key_5, Qt::NoModifier, 23, 0},
        {"keypadEnter", Qt::Key_Enter, Qt::KeypadModifier, 76, 0},
        {"arrow", Qt::Key_Left, Qt::NoModifier, 123,
         EventFlags::maskNumericPad | EventFlags::maskSecondaryFn},
        {"noHostKey", Qt::Key_MediaPlay, Qt::NoModifier, std::nullopt, 0}};
    // clang-format on
    for (const Case& c : cases) {
        const QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
        const auto event = hostKeyEvent(press);
        ASSERT_EQ(event.has_value(), c.keyCode.has_value()) << c.name;
        if (!event) {
            continue;
        }
        EXPECT_EQ(event->keyCode(), *c.keyCode) << c.name;
        EXPECT_EQ(event->flags, c.flags) << c.name;
        EXPECT_EQ(event->characters, charactersForKeyCode(*c.keyCode)) << c.name;
        EXPECT_EQ(event->type, EventType::keyDown) << c.name;
    }
}

} // namespace
} // namespace tessarin
