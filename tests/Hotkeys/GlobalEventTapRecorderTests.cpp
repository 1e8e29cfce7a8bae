#include "HotkeyHostFixture.h"
#include "Hotkeys/GlobalEventTapRecorder.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

class GlobalEventTapRecorderTests : public HotkeyHostFixture {
protected:
    bool start(TimeInterval timeout) {
        return recorder.startRecording([this](const Event& event) { keys.push_back(event); },
                                       [this] { ++clicks; }, [this] { ++cancellations; }, timeout);
    }

    GlobalEventTapRecorder& recorder = GlobalEventTapRecorder::shared();
    std::vector<Event> keys;
    int clicks = 0;
    int cancellations = 0;
};

TEST_F(GlobalEventTapRecorderTests, KeyPressesGoToTheRecorderUntilItIsStopped) {
    ASSERT_TRUE(start(0));
    keyboard().pressKey(0, EventFlags::maskCommand);
    keyboard().pressKey(1);
    settle();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::keyDown).empty());
    recorder.stopRecording();
    keyboard().pressKey(2);
    settle();
    EXPECT_EQ(host.events().frontApplicationEvents(EventType::keyDown).size(), 1u);
}

TEST_F(GlobalEventTapRecorderTests, AClickEndsTheRecordingAndIsSwallowed) {
    ASSERT_TRUE(start(0));
    keyboard().mouseDown({50, 50}, MouseButton::right);
    settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::rightMouseDown).empty());
}

TEST_F(GlobalEventTapRecorderTests, CancelsOnTimeOutOrWhenTheSystemStopsTheTap) {
    // clang-format off
    const std::tuple<const char*, TimeInterval, TimeInterval, bool, int> rows[] = {
        {"beforeTheTimeout", 5, 4.9, false, 0},
        {"atTheTimeout", 5, 5, false, 1},
        {"noTimeLimit", 0, 1000, false, 0},
        {"tapDisabled", 0, 0.1, true, 1}};
    // clang-format on
    for (const auto& [name, timeout, waited, disableTap, expected] : rows) {
        cancellations = 0;
        ASSERT_TRUE(start(timeout));
        if (disableTap) {
            host.events().disableTapByUserInput(host.events().installedTaps().front());
        }
        queue.advance(waited);
        EXPECT_EQ(cancellations, expected) << name;
        EXPECT_EQ(recorder.isRecording(), expected == 0) << name;
    }
}

TEST_F(GlobalEventTapRecorderTests, StartingAgainEndsTheFirstRecordingQuietly) {
    ASSERT_TRUE(start(1));
    // The switched-off notice of the first tap arrives after the second recording started.
    host.events().disableTapByUserInput(host.events().installedTaps().front());
    queue.async([this] { ASSERT_TRUE(start(5)); });
    queue.advance(2);
    EXPECT_TRUE(recorder.isRecording());
    EXPECT_EQ(cancellations, 0);
    EXPECT_EQ(host.events().installedTaps().size(), 1u);
}

} // namespace
} // namespace tessarin
