#include "UI/Preferences/Controls/ShortcutRecorderControl.h"

#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Controls/RecorderWorld.h"

#include <QTest>
#include <memory>

namespace tessarin {
namespace {

using namespace testing;

class ShortcutRecorderControlTest : public RecorderWorldTest {
protected:
    std::unique_ptr<ShortcutRecorderControl> makeRecorder() {
        auto control = std::make_unique<ShortcutRecorderControl>(QRect(0, 0, 150, 22),
                                                                 GlobalEventTapRecorder::shared());
        control->onRecordingComplete = [this](const HotkeyCombination& c) { results.push_back(c); };
        control->onRecordingCancelled = [this] { ++cancellations; };
        return control;
    }
    void click(QWidget& control) { QTest::mouseClick(&control, Qt::LeftButton); }

    std::unique_ptr<ShortcutRecorderControl> recorder = makeRecorder();
    std::vector<HotkeyCombination> results;
    int cancellations = 0;
};

TEST_F(ShortcutRecorderControlTest, ARecordedKeyIsStoredAndSwitchesOnceTheHotKeysReturn) {
    const std::size_t registered = hotKeys();
    ASSERT_GT(registered, 0u);
    ASSERT_TRUE(overrideTapRuns());
    recorder->onRecordingComplete = [this](const HotkeyCombination& combination) {
        world.d().hotkeyStore.update(combination, HotkeyAction::cursor(HotkeyIdentifier::right));
        recorder->setCurrentShortcut(combination);
    };

    click(*recorder);
    EXPECT_EQ(ShortcutRecorderControl::activeRecorder(), recorder.get());
    EXPECT_EQ(recorder->displayText(), "Press keys...");
    EXPECT_EQ(hotKeys(), 0u);
    EXPECT_FALSE(overrideTapRuns());

    hands().pressKey(kKeyK, kControlOption);
    settle();
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(ShortcutRecorderControl::activeRecorder(), nullptr);
    EXPECT_EQ(recorder->displayText(), "⌥⌃K");
    EXPECT_EQ(hotKeys(), registered);
    EXPECT_TRUE(overrideTapRuns());
    EXPECT_TRUE(world.host.events().frontApplicationEvents(EventType::keyDown).empty());

    hands().pressKey(kKeyK, kControlOption);
    world.queue.advance(2);
    EXPECT_EQ(world.current(), 102u);
}

TEST_F(ShortcutRecorderControlTest, KeysWithoutAShortcutModifierBeepAndRecordingGoesOn) {
    // clang-format off
    const std::tuple<const char*, uint16_t, uint64_t, bool> rows[] = {
        {"plainLetter", kKeyA, 0, false},
        {"capsLockOnly", kKeyA, EventFlags::maskAlphaShift, false},
        {"functionFlagOnly", kLeftArrow, 0, false},
        {"shiftLetter", kKeyA, EventFlags::maskShift, true},
        {"commandArrow", kLeftArrow, EventFlags::maskCommand, true}};
    // clang-format on
    for (const auto& [name, keyCode, flags, accepted] : rows) {
        results.clear();
        const int beepsBefore = beeps();
        click(*recorder);
        hands().pressKey(keyCode, flags);
        settle();
        EXPECT_EQ(results.size(), accepted ? 1u : 0u) << name;
        EXPECT_EQ(beeps() - beepsBefore, accepted ? 0 : 1) << name;
        EXPECT_EQ(recorder->isRecording(), !accepted) << name;
        if (!accepted) { // the same recording takes a good key next, without a beep
            hands().pressKey(kKeyK, kControlOption);
            settle();
            EXPECT_EQ(results.size(), 1u) << name;
            EXPECT_EQ(beeps() - beepsBefore, 1) << name;
        }
        recorder->setRecording(false);
    }
}

TEST_F(ShortcutRecorderControlTest, EscapeAClickElsewhereAndTheTimeOutEndWithoutAResult) {
    const std::size_t registered = hotKeys();
    recorder->setEmptyShortcutDisplayString("None");
    // clang-format off
    const std::tuple<const char*, std::function<void()>> rows[] = {
        {"escapeWithModifiers", [&] { hands().pressKey(kEscape, kControlOption); settle(); }},
        {"clickElsewhere", [&] { hands().click({900, 300}); settle(); }},
        {"timeOut", [&] { world.queue.advance(29.9);
                          EXPECT_TRUE(recorder->isRecording());
                          world.queue.advance(0.1); }}};
    // clang-format on
    for (const auto& [name, end] : rows) {
        cancellations = 0;
        click(*recorder);
        end();
        EXPECT_FALSE(recorder->isRecording()) << name;
        EXPECT_EQ(cancellations, 1) << name;
        EXPECT_TRUE(results.empty()) << name;
        EXPECT_EQ(hotKeys(), registered) << name;
        EXPECT_EQ(recorder->displayText(), "None") << name;
    }
}

TEST_F(ShortcutRecorderControlTest, WithoutTrustAClickAsksForItInsteadOfRecording) {
    SystemServices& system = world.host.system();
    system.setProcessTrusted(false);
    system.scriptAlertResponse(AlertResponse::secondButton);
    world.host.programActivation().resignActive();
    click(*recorder);
    EXPECT_TRUE(world.host.programActivation().isActive()); // brought to the front for it
    click(*recorder);
    EXPECT_FALSE(recorder->isRecording());
    ASSERT_EQ(system.shownAlerts().size(), 2u);
    const SystemAlert& alert = system.shownAlerts().front();
    EXPECT_EQ(alert.messageText, "Accessibility Permission Required");
    EXPECT_EQ(alert.informativeText,
              "Tessarin needs Accessibility permissions to record keyboard shortcuts.\n\n"
              "Please enable it in System Settings > Privacy & Security > Accessibility.");
    EXPECT_EQ(alert.buttons, (std::vector<std::string>{"Open System Settings", "Cancel"}));
    EXPECT_EQ(alert.style, AlertStyle::warning);
    // Cancel first, then the default button.
    EXPECT_EQ(system.openedURLs(),
              std::vector<std::string>{
                  "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"});
    EXPECT_GT(hotKeys(), 0u);
}

TEST_F(ShortcutRecorderControlTest, ARefusedTapEndsTheRecordingAtOnce) {
    world.host.events().setTapCreationRefused(true);
    const std::size_t registered = hotKeys();
    click(*recorder);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(cancellations, 1);
    EXPECT_EQ(ShortcutRecorderControl::activeRecorder(), nullptr);
    EXPECT_EQ(hotKeys(), registered);
}

TEST_F(ShortcutRecorderControlTest, OneRecorderRecordsAtATime) {
    auto second = makeRecorder();
    click(*recorder);
    click(*second);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_TRUE(second->isRecording());
    EXPECT_EQ(ShortcutRecorderControl::activeRecorder(), second.get());
    EXPECT_EQ(hotKeys(), 0u);    // unregistered again for the second
    EXPECT_EQ(cancellations, 0); // ended from outside: no callback

    ShortcutRecorderControl::cancelActiveRecording();
    EXPECT_FALSE(second->isRecording());
    EXPECT_GT(hotKeys(), 0u);
    ShortcutRecorderControl::cancelActiveRecording(); // none active: only stops the back end
    EXPECT_FALSE(GlobalEventTapRecorder::shared().isRecording());
}

TEST_F(ShortcutRecorderControlTest, DisablingLeavingTheWindowOrDyingEndsTheRecording) {
    QWidget window;
    recorder->setParent(&window);
    // clang-format off
    const std::tuple<const char*, std::function<void()>> rows[] = {
        {"disabled", [&] { recorder->setEnabled(false);
                           EXPECT_EQ(recorder->alphaValue(), 0.5);
                           QTest::mouseClick(recorder.get(), Qt::LeftButton); }},
        {"leavesItsWindow", [&] { recorder->setParent(nullptr); }},
        {"destroyed", [&] { recorder.reset(); }}};
    // clang-format on
    for (const auto& [name, end] : rows) {
        recorder->setEnabled(true);
        recorder->setParent(&window);
        click(*recorder);
        ASSERT_EQ(hotKeys(), 0u) << name;
        end();
        EXPECT_GT(hotKeys(), 0u) << name;
        EXPECT_FALSE(GlobalEventTapRecorder::shared().isRecording()) << name;
    }
    EXPECT_EQ(cancellations, 0);
}

} // namespace
} // namespace tessarin
