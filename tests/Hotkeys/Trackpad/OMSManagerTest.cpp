#include "OpenMultitouchSupport/OMSManager.h"

#include "Platform/Multitouch/MultitouchManager.h"

#include <gtest/gtest.h>
#include <limits>
#include <mutex>

namespace tessarin {
namespace {

class OMSManagerTest : public testing::Test {
public:
    std::vector<std::vector<OMSTouchData>> received() {
        framework.waitUntilDelivered();
        std::lock_guard lock(mutex);
        return arrays;
    }

    MultitouchManager framework;
    OMSManager manager{&framework};
    std::mutex mutex;
    std::vector<std::vector<OMSTouchData>> arrays;
    Subscription subscription = manager.subscribe([this](const std::vector<OMSTouchData>& a) {
        std::lock_guard lock(mutex);
        arrays.push_back(a);
    });
};

TEST_F(OMSManagerTest, RegistersOneListenerAndStopsOnlyWhatItStarted) {
    EXPECT_FALSE(manager.stopListening());
    EXPECT_TRUE(manager.startListening());
    EXPECT_FALSE(manager.startListening());
    EXPECT_EQ(framework.listenerCount(), 1U);
    EXPECT_TRUE(manager.stopListening());
    EXPECT_EQ(framework.listenerCount(), 0U);
    EXPECT_FALSE(OMSManager(nullptr).startListening());
}

TEST_F(OMSManagerTest, SkipsTouchesOfUnknownStateOrNonFinitePosition) {
    ASSERT_TRUE(manager.startListening());
    MultitouchFrame frame;
    frame.touches = {{1, 0.5F, 0.5F, 1, 0.2F, 9, 7, 0, 1, 4},
                     {2, 0.5F, 0.5F, 0, 0, 0, 0, 0, 0, 8},
                     {3, 0.5F, 0.5F, 0, 0, 0, 0, 0, 0, -1},
                     {4, std::numeric_limits<float>::infinity(), 0.5F, 0, 0, 0, 0, 0, 0, 4}};
    framework.deliver(frame);
    framework.deliver({});
    const auto got = received();
    ASSERT_EQ(got.size(), 2U);
    ASSERT_EQ(got[0].size(), 1U);
    EXPECT_EQ(got[0][0].state, OMSState::touching);
    EXPECT_EQ(got[0][0].axis, (OMSAxis{9, 7}));
    EXPECT_TRUE(got[1].empty());
    EXPECT_TRUE(got[0][0].description().starts_with(
        "id: 1, pos:(0.500,0.500), total:1.000, pressure:0.200, axis(9.000,7.000), "
        "angle:0.000, density:1.000, touching, "));
}

} // namespace
} // namespace tessarin
