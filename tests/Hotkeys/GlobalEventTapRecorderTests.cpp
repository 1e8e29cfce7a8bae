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
    EXPECT_EQ(keys[0].flags & EventFlags::maskCommand, EventFlags::maskCommand);
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

struct EndRow {
    const char* name;
    TimeInterval timeout;
    TimeInterval waited;
    bool disableTap;
    int cancellations;
};

class GlobalEventTapRecorderEndTests : public GlobalEventTapRecorderTests,
                                       public ::testing::WithParamInterface<EndRow> {};

TEST_P(GlobalEventTapRecorderEndTests, CancelsOnTimeOutOrWhenTheSystemStopsTheTap) {
    ASSERT_TRUE(start(GetParam().timeout));
    if (GetParam().disableTap) {
        host.events().disableTapByUserInput(host.events().installedTaps().front());
    }
    queue.advance(GetParam().waited);
    EXPECT_EQ(cancellations, GetParam().cancellations);
    EXPECT_EQ(recorder.isRecording(), GetParam().cancellations == 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, GlobalEventTapRecorderEndTests, ::testing::Values(
    EndRow{"beforeTheTimeout", 5, 4.9, false, 0},
    EndRow{"atTheTimeout", 5, 5, false, 1},
    EndRow{"noTimeLimit", 0, 1000, false, 0},
    EndRow{"tapDisabled", 0, 0.1, true, 1}),
    rowName<EndRow>);
// clang-format on

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
