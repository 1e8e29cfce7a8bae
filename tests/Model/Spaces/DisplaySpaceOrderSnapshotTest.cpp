#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"

#include "Model/Spaces/DisplaySpaceNavigator.h"
#include "Model/Spaces/DisplaySpaceSlotTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::P;
using testing::Pin;
using testing::R;

DisplaySpaceOrderSnapshot userOrder() {
    // System order 10, 20, 30; the user shows 30 first and left a gap before 10.
    return DisplaySpaceOrderSnapshot::make("UUID-A", {10, 20, 30}, {R(30), P, R(10), R(20), Pin},
                                           10, {{7, 30}});
}

TEST(DisplaySpaceOrderSnapshotTest, DerivedIndexesFollowTheVisualSlots) {
    const auto s = userOrder();
    EXPECT_EQ(s.identifier(), "UUID-A");
    EXPECT_EQ(s.visualOrderedSpaceIDs, (std::vector<SpaceID>{30, 0, 10, 20, 0}));
    EXPECT_EQ(s.visualToSystemIndices, (std::vector<int>{2, -1, 0, 1, -1}));
    EXPECT_EQ(s.activeVisualIndex, 2);
    EXPECT_EQ(s.stableSpaceIDToVisualIndex, (std::map<SpaceID, int>{{10, 2}, {20, 3}, {30, 0}}));
    EXPECT_EQ(s.stableSpaceIDToSystemIndex, (std::map<SpaceID, int>{{10, 0}, {20, 1}, {30, 2}}));
    EXPECT_EQ(s.placeholderIndices(), (std::set<int>{1, 4}));
    EXPECT_EQ(s.spaceIDReplacements, (std::map<SpaceID, SpaceID>{{7, 30}}));
}

TEST(DisplaySpaceOrderSnapshotTest, SpaceIDAndPlaceholderQueries) {
    const auto s = userOrder();
    // clang-format off
    struct Case { int index; std::optional<SpaceID> spaceID; bool placeholder; };
    const Case cases[] = {
        {-1, std::nullopt, false}, {0, 30, false},           {1, std::nullopt, true},
        {4, std::nullopt, true},   {5, std::nullopt, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(s.spaceID(c.index), c.spaceID) << c.index;
        EXPECT_EQ(s.isPlaceholder(c.index), c.placeholder) << c.index;
    }
}

TEST(DisplaySpaceOrderSnapshotTest, ActiveSpaceOutsideTheLayoutFallsBackToTheFirstRealSlot) {
    const auto s = DisplaySpaceOrderSnapshot::make("A", {1, 2}, {P, R(2), R(1)}, 99);
    EXPECT_EQ(s.activeVisualIndex, 1);
    EXPECT_EQ(DisplaySpaceOrderSnapshot::make("A", {}, {}, 99).activeVisualIndex, 0);
}

TEST(DisplaySpaceNavigatorTest, ResolveDirectTarget) {
    const auto s = userOrder();
    using Target = DisplaySpaceNavigator::DirectTarget;
    // clang-format off
    struct Case { int requested; std::optional<Target> target; };
    const Case cases[] = {
        {-1, std::nullopt}, // no such Space
        {0, Target{0, 2}},  // the first cell is the third Space of the system
        {1, Target{1, -1}}, // a gap: no Space to switch to
        {3, Target{3, 1}},  //
        {9, Target{4, -1}}, // clamped to the last (pinned, empty) cell
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(DisplaySpaceNavigator::resolveDirectTarget(s, c.requested), c.target)
            << c.requested;
    }
    EXPECT_EQ(DisplaySpaceNavigator::resolveDirectTarget(
                  DisplaySpaceOrderSnapshot::make("A", {}, {}, 0), 0),
              std::nullopt);
}

} // namespace
} // namespace tessarin
