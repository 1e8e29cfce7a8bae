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
    auto subscription = revision.subscribe([&](int value) { heard.push_back(value); });
    revision.set(1);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(revision.value(), 1);
    queue.runUntilIdle();
    EXPECT_EQ(heard, std::vector<int>{1});
}

TEST_F(PublishedTest, DeliverCurrentSendsTheValueOnceAtSubscription) {
    Published<bool> enabled(true);
    std::vector<bool> heard;
    auto subscription = enabled.subscribe([&](bool value) { heard.push_back(value); }, true);
    queue.runUntilIdle();
    EXPECT_EQ(heard, std::vector<bool>{true});
}

TEST_F(PublishedTest, CancelledSubscriptionDropsPendingDeliveries) {
    Published<int> revision(0);
    int calls = 0;
    auto subscription = revision.subscribe([&](int) { ++calls; });
    revision.set(1);
    subscription.cancel();
    queue.runUntilIdle();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(revision.subscriberCount(), 0u);
}

TEST_F(PublishedTest, SubscriptionMayOutliveThePublisher) {
    Subscription subscription;
    int calls = 0;
    {
        Published<int> revision(0);
        subscription = revision.subscribe([&](int) { ++calls; });
        revision.set(2);
    }
    queue.runUntilIdle();
    subscription.cancel();
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace tessarin
