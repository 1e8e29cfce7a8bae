#include "HotkeyHostFixture.h"
#include "Hotkeys/HotKeyManager.h"
#include "Platform/Input/HotKeyCenter.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const HotkeyCombination kControlOptionCommandRight{124, 0x1900, "\u2192", "\uF703"};
const HotkeyCombination kControlOptionCommand1{18, 0x1900, "1", "1"};
const auto kRight =
    HotkeyRegistrationIdentity::action(HotkeyAction::cursor(HotkeyIdentifier::right));
const auto kSpace1 =
    HotkeyRegistrationIdentity::action(HotkeyAction::cursor(HotkeyIdentifier::space1));
constexpr uint64_t kControlOptionCommandFlags =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;

class HotKeyManagerTests : public HotkeyHostFixture {
protected:
    HotkeyHandler record() {
        return [this](const HotkeyTriggerContext& context) { fired.push_back(context); };
    }

    HotKeyManager& manager = HotKeyManager::shared();
    std::vector<HotkeyTriggerContext> fired;
};

TEST_F(HotKeyManagerTests, APressReachesTheHandlerInsteadOfTheFrontApplication) {
    manager.registerHotKey(kRight, kControlOptionCommandRight, record());
    keyboard().pressKey(124, kControlOptionCommandFlags);
    settle();
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].source, HotkeyTriggerSource::carbonEventHotKey);
    EXPECT_EQ(fired[0].receivedAt, queue.absoluteTime());
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::keyDown).empty());
}

TEST_F(HotKeyManagerTests, RegisteringAnOwnerAgainReplacesItsKey) {
    manager.registerHotKey(kRight, kControlOptionCommandRight, record());
    manager.registerHotKey(kRight, kControlOptionCommand1, record());
    EXPECT_EQ(manager.registrationNumber(kRight), 2u);
    EXPECT_EQ(host.hotKeys().registrations(),
              (std::vector<HotKeyCenter::Registration>{{18, 0x1900, {0x1111, 2}}}));
}

TEST_F(HotKeyManagerTests, ARefusedRegistrationPrintsItsLineAndUsesUpItsNumber) {
    host.hotKeys().setRegistrationRefusal([](uint32_t keyCode, uint32_t) {
        return keyCode == 124 ? std::optional(HotKeyStatus::eventHotKeyExistsErr) : std::nullopt;
    });
    testing::internal::CaptureStdout();
    manager.registerHotKey(kRight, kControlOptionCommandRight, record());
    manager.registerHotKey(HotkeyRegistrationIdentity::workspace(Uuid::random()),
                           kControlOptionCommandRight, record());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to register hotkey for Switch to space on the right status=-9878\n"
              "Failed to register hotkey for Workspace status=-9878\n");
    EXPECT_EQ(manager.registrationNumber(kRight), std::nullopt);
    manager.registerHotKey(kSpace1, kControlOptionCommand1, record());
    EXPECT_EQ(manager.registrationNumber(kSpace1), 3u); // the refused ones used up 1 and 2
}

TEST_F(HotKeyManagerTests, AfterUnregisteringAllPressesAreIgnoredAndNumbersGoOn) {
    manager.registerHotKey(kRight, kControlOptionCommandRight, record());
    manager.registerHotKey(kSpace1, kControlOptionCommand1, record());
    manager.unregisterAll();
    EXPECT_TRUE(host.hotKeys().registrations().empty());
    host.hotKeys().dispatch({kEventClassKeyboard, kEventHotKeyPressed, EventHotKeyID{0x1111, 1}});
    settle();
    EXPECT_TRUE(fired.empty());
    manager.registerHotKey(kRight, kControlOptionCommandRight, record());
    EXPECT_EQ(manager.registrationNumber(kRight), 3u);
}

} // namespace
} // namespace tessarin
