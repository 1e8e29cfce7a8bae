#include "Support/MainQueue.h"

#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

class VirtualMainQueueTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scope{queue};
    std::vector<std::string> ran;
};

TEST_F(VirtualMainQueueTest, RunsDueWorkInDueOrderThenSchedulingOrderOnlyAsTimePasses) {
    queue.asyncAfter(0.5, [&] { ran.push_back("b"); });
    queue.asyncAfter(0.2, [&] { ran.push_back("a"); });
    queue.asyncAfter(0.5, [&] { ran.push_back("c"); });
    queue.asyncAfter(1.0, [&] { ran.push_back("late"); });
    queue.async([&] { ran.push_back("now"); });
    EXPECT_TRUE(ran.empty());
    queue.advance(0.5);
    EXPECT_EQ(ran, (std::vector<std::string>{"now", "a", "b", "c"}));
}

TEST_F(VirtualMainQueueTest, ClockReadsTheDueTimeWhileWorkRuns) {
    const double start = queue.now();
    double seen = 0;
    queue.asyncAfter(1.1, [&] { seen = queue.now(); });
    queue.advance(5);
    EXPECT_NEAR(seen - start, 1.1, 1e-9);
    EXPECT_DOUBLE_EQ(queue.now() - start, 5);
}

TEST_F(VirtualMainQueueTest, WorkScheduledByWorkRunsWhenDueWithinTheSameAdvance) {
    queue.asyncAfter(0.1, [&] {
        ran.push_back("first");
        queue.asyncAfter(0.1, [&] { ran.push_back("second"); });
    });
    queue.advance(0.15);
    EXPECT_EQ(ran, std::vector<std::string>{"first"});
    queue.advance(0.05);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
}

TEST_F(VirtualMainQueueTest, CancelledWorkAndTimersNeverRunAgain) {
    WorkItem item = queue.asyncAfter(1, [&] { ran.push_back("cancelled"); });
    EXPECT_EQ(queue.pendingCount(), 1u);
    item.cancel();
    // Still waiting for its time, but no longer work that is pending.
    EXPECT_EQ(queue.pendingCount(), 0u);
    EXPECT_FALSE(queue.hasPendingWork());
    int ticks = 0;
    WorkItem timer = queue.scheduleRepeating(0.1, [&] { ++ticks; });
    WorkItem selfCancelling;
    selfCancelling = queue.scheduleRepeating(0.1, [&] {
        ran.push_back("tick");
        selfCancelling.cancel();
    });
    queue.advance(0.35);
    EXPECT_EQ(ticks, 3);
    timer.cancel();
    queue.advance(1);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(ran, std::vector<std::string>{"tick"});
    EXPECT_EQ(queue.pendingCount(), 0u);
}

} // namespace
} // namespace tessarin
