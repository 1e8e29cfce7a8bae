#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"

#include "Hotkeys/Trackpad/TrackpadRawShadowValidator.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/VirtualMainQueue.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Frame = std::vector<TrackpadTouchPoint>;

class FakeRawInputSource final : public TrackpadRawInputSource {
public:
    explicit FakeRawInputSource(MainQueue& queue) : queue_(queue) {}
    bool isListening() const override { return listening; }
    bool startListening() override { return listening = true; }
    void stopListening() override { listening = false; }
    std::unique_ptr<TrackpadFrameStream> makeFrameStream() override {
        auto made = std::make_unique<TrackpadFrameStream>(queue_);
        stream = made.get();
        made->setOnTermination([this] { stream = nullptr; });
        return made;
    }

    bool listening = false;
    TrackpadFrameStream* stream = nullptr;

private:
    MainQueue& queue_;
};

Frame three(float dx) {
    return {{1, 0.3F + dx, 0.5F}, {2, 0.4F + dx, 0.5F}, {3, 0.5F + dx, 0.5F}};
}

class TrackpadRawInputCoordinatorTest : public testing::Test {
public:
    TrackpadRawInputCoordinatorTest() {
        auto fake = std::make_unique<FakeRawInputSource>(queue);
        source = fake.get();
        coordinator = std::make_unique<TrackpadRawInputCoordinator>(
            std::move(fake), queue, [this] { return queue.uptime(); },
            std::vector<double>{0.5, 2.0, 5.0}, &notifications);
    }

    void enable() {
        coordinator->desiredEnabled = true;
        coordinator->swipeHandler = [this](TessarinDirection direction,
                                           const TrackpadRawSwipeResult& result) {
            swipes.emplace_back(direction, result);
        };
        coordinator->startIfNeeded();
        queue.runUntilIdle();
    }

    void frame(const Frame& touches, double after = 0.1) {
        ASSERT_NE(source->stream, nullptr);
        source->stream->yield(touches);
        queue.advance(after);
    }

    VirtualMainQueue queue;
    ScopedMainQueue scoped{queue};
    WorkspaceNotificationCenter notifications{queue};
    FakeRawInputSource* source = nullptr;
    std::unique_ptr<TrackpadRawInputCoordinator> coordinator;
    std::vector<std::pair<TessarinDirection, TrackpadRawSwipeResult>> swipes;
};

TEST_F(TrackpadRawInputCoordinatorTest, ReversalSwapsTheEngineDirectionButNotTheResult) {
    coordinator->reverseDirection = true;
    enable();
    frame(three(0));
    frame(three(0.2F));
    frame({});
    ASSERT_EQ(swipes.size(), 1U);
    EXPECT_EQ(swipes[0].first, TessarinDirectionLeft);
    EXPECT_EQ(swipes[0].second.direction, TrackpadSwipeTransitionDirection::right);
}

TEST_F(TrackpadRawInputCoordinatorTest, SnapshotKeepsTheLastContactsForTheirMaximumAge) {
    enable();
    frame(three(0), 0);
    auto& snapshot = coordinator->contactSnapshot();
    EXPECT_TRUE(snapshot.matches(3, queue.uptime(), 0));
    EXPECT_FALSE(snapshot.matches(4, queue.uptime(), 0));
    frame({}, 0); // lifted: the three contacts count for 0.2 s, the boundary included
    const double lifted = queue.uptime();
    for (const auto& [age, matches] : {std::pair{0.0, true}, {0.2, true}, {0.21, false}}) {
        EXPECT_EQ(snapshot.matches(3, lifted + age, 0.2), matches) << age;
    }
    coordinator->stop();
    EXPECT_FALSE(snapshot.matches(3, queue.uptime(), 1));
}

TEST_F(TrackpadRawInputCoordinatorTest, EveryStateChangeIsPostedOnce) {
    const auto posted = [this] {
        return notifications.postedCount(TrackpadRawInputCoordinator::stateDidChangeNotification);
    };
    enable(); // starting, then available
    EXPECT_EQ(posted(), 2u);
    coordinator->startIfNeeded(); // still available
    EXPECT_EQ(posted(), 2u);
    coordinator->stop();
    EXPECT_EQ(posted(), 3u);
}

TEST_F(TrackpadRawInputCoordinatorTest, StreamEndingByItselfKeepsTheConfiguration) {
    ScopedLogCapture logs;
    enable();
    source->stream->finish();
    queue.runUntilIdle();
    EXPECT_EQ(coordinator->state.value(), TrackpadRawInputState::unavailable);
    EXPECT_TRUE(coordinator->desiredEnabled);
    EXPECT_FALSE(source->listening);
    const auto lines = logs.messages("TrackpadRawInput");
    EXPECT_NE(std::ranges::find(lines, "frame stream ended unexpectedly"), lines.end());
}

TEST(TrackpadRawShadowValidatorTest, LogsRejectionsAndWhatNoOtherSideMatchedInItsWindow) {
    VirtualMainQueue queue;
    ScopedLogCapture logs;
    queue.advance(0.1); // a clock whose sums round
    TrackpadRawShadowValidator validator(queue, [&queue] { return queue.uptime(); });
    using Direction = TrackpadSwipeTransitionDirection;
    validator.recordRaw({3, std::nullopt, 0.5, TrackpadRawSwipeRejectionReason::diagonal},
                        queue.uptime());
    validator.recordRaw({3, Direction::left, 0.25, std::nullopt}, queue.uptime());
    queue.advance(0.15); // the raw swipe's window ends before the system's swipe comes
    validator.recordCG(4, Direction::up, queue.uptime());
    queue.advance(0.15);
    validator.recordRaw({3, Direction::left, 0.25, std::nullopt}, queue.uptime());
    validator.recordCG(4, Direction::left, queue.uptime()); // the same way with other fingers
    EXPECT_EQ(logs.messages("TrackpadRawShadow"),
              (std::vector<std::string>{
                  "raw fingerCount=3 direction=none duration=0.500000 cancellation=diagonal "
                  "agreement=notApplicable",
                  "raw fingerCount=3 direction=left duration=0.250000 cancellation=none "
                  "agreement=false reason=noCGMatch",
                  "cg fingerCount=4 direction=up duration=unknown cancellation=none "
                  "agreement=false reason=noRawMatch",
                  "raw fingerCount=3 direction=left duration=0.250000 cancellation=none "
                  "agreement=false"}));
}

} // namespace
} // namespace tessarin
