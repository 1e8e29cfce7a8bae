#include "Support/Published.h"

#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <vector>

namespace tessarin {
namespace {

class PublishedTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scope{queue};
};

TEST_F(PublishedTest, SubscribersHearOnALaterTurnNotInsideTheSetter) {
    Published<int> revision(0);
    std::vector<int> heard;
    auto subscription = revision.subscribe([&](int value) { heard.push_back(value); }, true);
    revision.set(1);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(revision.value(), 1);
    queue.runUntilIdle();
    // Asked for the current value, the subscriber hears it once at subscription first.
    EXPECT_EQ(heard, (std::vector<int>{0, 1}));
}

// Pending deliveries are dropped when the subscription is cancelled or the publisher is gone.
TEST_F(PublishedTest, DeliveriesPendingForACancelledOrOrphanedSubscriptionAreDropped) {
    int calls = 0;
    Subscription orphaned;
    {
        Published<int> revision(0);
        auto cancelled = revision.subscribe([&](int) { ++calls; });
        orphaned = revision.subscribe([&](int) { ++calls; });
        revision.set(1);
        cancelled.cancel();
        EXPECT_EQ(revision.subscriberCount(), 1u);
    }
    queue.runUntilIdle();
    orphaned.cancel();
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace tessarin
