#include "Platform/MachineInput/InputDeliveryOrder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

class InputDeliveryOrderTest : public ::testing::Test {
protected:
    void add(std::optional<int64_t> serial, std::string name) {
        order.add(serial, [this, name] { delivered.push_back(name); });
    }
    InputDeliveryOrder order;
    std::vector<std::string> delivered;
};

TEST_F(InputDeliveryOrderTest, AKeyTheSessionDeliversGoesOnWithTheKeysTypedBehindIt) {
    add(1, "a");
    add(std::nullopt, "é");
    add(2, "b");
    add(std::nullopt, "ß");
    EXPECT_TRUE(delivered.empty()) << "nothing overtakes the key still on its way";
    order.settle(1, true);
    EXPECT_EQ(delivered, (std::vector<std::string>{"a", "é"}));
    order.settle(2, true);
    EXPECT_EQ(delivered, (std::vector<std::string>{"a", "é", "b", "ß"}));
    EXPECT_TRUE(order.empty());
}

TEST_F(InputDeliveryOrderTest, ASwallowedKeyIsDroppedAndTheKeysBehindItStillGo) {
    add(1, "recorded");
    add(std::nullopt, "modifier");
    add(2, "typed");
    order.settle(1, false);
    EXPECT_EQ(delivered, (std::vector<std::string>{"modifier"}));
    // The turn that ends a key already delivered changes nothing.
    order.settle(2, true);
    order.settle(2, false);
    EXPECT_EQ(delivered, (std::vector<std::string>{"modifier", "typed"}));
}

TEST_F(InputDeliveryOrderTest, ALaterKeyReachingTheApplicationSettlesAnEarlierOneThatNeverDid) {
    add(1, "taken by a hot key");
    add(std::nullopt, "between");
    add(2, "typed");
    order.settle(2, true);
    EXPECT_EQ(delivered, (std::vector<std::string>{"between", "typed"}));
    order.settle(1, false);
    EXPECT_EQ(delivered.size(), 2u);
}

TEST_F(InputDeliveryOrderTest, ADeliveryThatSettlesLaterKeysInANestedLoopKeepsTheOrder) {
    order.add(1, [this] {
        delivered.push_back("opens a modal loop");
        order.settle(2, true); // the loop serves the next key before this delivery returns
    });
    add(2, "typed in the loop");
    add(3, "still on its way");
    order.settle(1, true);
    EXPECT_EQ(delivered, (std::vector<std::string>{"opens a modal loop", "typed in the loop"}));
    EXPECT_EQ(order.pendingCount(), 1u) << "a key not yet settled is neither sent nor dropped";
    order.settle(3, true);
    EXPECT_EQ(delivered.back(), "still on its way");
}

} // namespace
} // namespace tessarin
