#include "Model/Spaces/SpaceTopologyStabilizer.h"

#include "Support/Environment.h"
#include "Support/Logger.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

class SpaceTopologyStabilizerTest : public ::testing::Test {
protected:
    TimeInterval now() const { return queue.now(); }
    bool suppress(std::optional<int> lists, int screens = 2) {
        return stabilizer.shouldSuppressTopologySensitiveWork("hotkey-registration", screens, lists,
                                                              now());
    }
    std::vector<std::string> lines() const { return capture.messages("SpaceDiagnostics"); }

    VirtualMainQueue queue;
    ScopedMainQueue installed{queue};
    ScopedEnvironmentOverride debug{"TESSARIN_SPACE_DEBUG", "1"};
    ScopedLogCapture capture;
    SpaceTopologyStabilizer stabilizer;
};

TEST_F(SpaceTopologyStabilizerTest, BaselineIsTakenOnlyWithAListPerScreenAndOnlyGrows) {
    // clang-format off
    struct Step { int lists; int screens; bool recorded; std::optional<int> baseline; };
    const Step steps[] = {
        {1, 2, false, std::nullopt}, // fewer lists than screens: no baseline yet
        {0, 0, false, std::nullopt}, // no lists at all
        {2, 2, true, 2},
        {1, 1, false, 2}, // never shrinks
        {2, 2, false, 2}, // unchanged
        {3, 3, true, 3},
    };
    // clang-format on
    for (const Step& step : steps) {
        EXPECT_EQ(stabilizer.updateStableSpaceDisplayListCountIfNeeded(step.lists, step.screens,
                                                                       "menu-bar-refresh"),
                  step.recorded);
        EXPECT_EQ(stabilizer.stableSpaceDisplayListCount, step.baseline);
    }
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "space topology stable baseline reason=menu-bar-refresh screens=2 "
                           "spaceDisplays=2",
                           "space topology stable baseline reason=menu-bar-refresh screens=3 "
                           "spaceDisplays=3"}));
}

TEST_F(SpaceTopologyStabilizerTest, HoldsWorkBackWhileCollapsedThenOpensTheRecoveryWindow) {
    stabilizer.updateStableSpaceDisplayListCountIfNeeded(2, 2, "launch");
    stabilizer.begin("wake", now());
    EXPECT_TRUE(stabilizer.isStabilizing(now()));

    EXPECT_TRUE(suppress(1));
    queue.advance(2.0);
    EXPECT_TRUE(suppress(std::nullopt)); // unreadable lists count as collapsed
    EXPECT_TRUE(stabilizer.observedCollapseDuringStabilization);

    queue.advance(1.0);
    EXPECT_FALSE(suppress(2)); // the lists are back
    EXPECT_TRUE(stabilizer.allowsRecoveryReplacements(now()));
    EXPECT_FALSE(stabilizer.observedCollapseDuringStabilization);

    queue.advance(4.9);
    EXPECT_TRUE(stabilizer.allowsRecoveryReplacements(now()));
    queue.advance(0.1);
    EXPECT_FALSE(stabilizer.allowsRecoveryReplacements(now())); // exactly 5.0 s later

    const auto records = lines();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[1], "space topology stabilization started reason=wake duration=5.0");
    EXPECT_EQ(records[2], "space topology collapsed suppressed reason=hotkey-registration "
                          "screens=2 expectedSpaceDisplays=2 stableSpaceDisplays=2 "
                          "spaceDisplays=1");
    EXPECT_EQ(records[3], "space topology collapsed suppressed reason=hotkey-registration "
                          "screens=2 expectedSpaceDisplays=2 stableSpaceDisplays=2 "
                          "spaceDisplays=nil");
    EXPECT_EQ(records[4], "space topology recovery replacements enabled "
                          "reason=hotkey-registration duration=5.0");
}

TEST_F(SpaceTopologyStabilizerTest, ACollapseThatOutlastsTheWindowExpiresAndIsAccepted) {
    stabilizer.updateStableSpaceDisplayListCountIfNeeded(2, 2, "launch");
    stabilizer.begin("screen-parameters", now());
    EXPECT_TRUE(suppress(1));
    queue.advance(4.99);
    EXPECT_TRUE(suppress(1));
    queue.advance(0.01);
    EXPECT_FALSE(suppress(1)); // the window is over
    EXPECT_FALSE(stabilizer.stabilizationDeadline.has_value());
    EXPECT_EQ(stabilizer.stableSpaceDisplayListCount, 1);
    EXPECT_FALSE(stabilizer.allowsRecoveryReplacements(now()));
    EXPECT_EQ(lines().back(), "space topology collapse expired reason=hotkey-registration "
                              "screens=2 expectedSpaceDisplays=2 spaceDisplays=1 "
                              "stableSpaceDisplays=2");

    // A later window does not wait for the list that never came back.
    stabilizer.begin("wake", now());
    EXPECT_FALSE(suppress(1));
}

TEST_F(SpaceTopologyStabilizerTest, ExpectedListsFollowTheScreensThatRemain) {
    stabilizer.updateStableSpaceDisplayListCountIfNeeded(2, 2, "launch");
    stabilizer.begin("screen-parameters", now());
    // A display was unplugged: one screen, one list, nothing collapsed.
    EXPECT_EQ(stabilizer.expectedSpaceDisplayListCount(1), 1);
    EXPECT_FALSE(suppress(1, /*screens=*/1));
    // Without a baseline the screens decide.
    stabilizer.stableSpaceDisplayListCount.reset();
    EXPECT_EQ(stabilizer.expectedSpaceDisplayListCount(3), 3);
    EXPECT_TRUE(suppress(2, /*screens=*/3));
}

TEST_F(SpaceTopologyStabilizerTest, BeginReopensTheWindowAndResetRestoresTheStart) {
    stabilizer.updateStableSpaceDisplayListCountIfNeeded(2, 2, "launch");
    stabilizer.begin("wake", now());
    queue.advance(4.0);
    stabilizer.begin("screen-parameters", now());
    queue.advance(4.0);
    EXPECT_TRUE(stabilizer.isStabilizing(now()));
    EXPECT_TRUE(suppress(1));
    EXPECT_FALSE(suppress(2));

    stabilizer.reset();
    SpaceTopologyStabilizer fresh;
    EXPECT_EQ(stabilizer, fresh);
}

} // namespace
} // namespace tessarin
