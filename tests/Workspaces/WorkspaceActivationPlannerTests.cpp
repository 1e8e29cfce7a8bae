#include "Model/Spaces/DisplaySpaceSlotTestSupport.h"
#include "Workspaces/WorkspaceActivationPlanner.h"

#include <gtest/gtest.h>
#include <map>

namespace tessarin {
namespace {

using Slot = DisplaySpaceSlot;

const TessarinDisplay kLeft{"LEFT-UUID", "Left"};
const TessarinDisplay kRight{"RIGHT-UUID", "Right"};
const WorkspaceTargetKey kLeftKey = WorkspaceTargetKey::display(kLeft.identifier);
const WorkspaceTargetKey kRightKey = WorkspaceTargetKey::display(kRight.identifier);
const WorkspaceTargetKey kShared = WorkspaceTargetKey::sharedSpaces();

using testing::P;
using testing::R;

// Left: system order 11, 12, 13; visual order 13, placeholder, 11, 12; active 11.
DisplaySpaceOrderSnapshot leftSnapshot() {
    return DisplaySpaceOrderSnapshot::make(kLeft.identifier, {11, 12, 13}, {R(13), P, R(11), R(12)},
                                           11);
}

// Right: system order 21, 22; visual as system; active 22.
DisplaySpaceOrderSnapshot rightSnapshot() {
    return DisplaySpaceOrderSnapshot::make(kRight.identifier, {21, 22}, {R(21), R(22)}, 22);
}

// Shared Spaces on "Main": 31, 32, 33, active 31.
DisplaySpaceOrderSnapshot mainSnapshot() {
    return DisplaySpaceOrderSnapshot::make("Main", {31, 32, 33}, {R(31), R(32), R(33)}, 31);
}

struct Fixture {
    std::map<std::string, DisplaySpaceOrderSnapshot> snapshots{{kLeft.identifier, leftSnapshot()},
                                                               {kRight.identifier, rightSnapshot()},
                                                               {"Main", mainSnapshot()}};
    std::vector<std::string> asked;

    WorkspaceActivationPlanner::SnapshotProvider provider() {
        return [this](const std::string& identifier) -> std::optional<DisplaySpaceOrderSnapshot> {
            asked.push_back(identifier);
            const auto found = snapshots.find(identifier);
            if (found == snapshots.end()) {
                return std::nullopt;
            }
            return found->second;
        };
    }
};

WorkspaceShortcut workspaceWith(std::map<WorkspaceTargetKey, int> targets) {
    WorkspaceShortcut workspace;
    workspace.id = Uuid::random();
    workspace.name = "W";
    workspace.targets = std::move(targets);
    return workspace;
}

std::vector<WorkspaceActivationTarget> separate(Fixture& fixture,
                                                std::map<WorkspaceTargetKey, int> targets) {
    return WorkspaceActivationPlanner::resolvedTargets(
        workspaceWith(std::move(targets)), true, {kLeft, kRight}, "LEFT-UUID", fixture.provider());
}
// Resolved with shared Spaces on `owner` over the left display alone.
std::vector<WorkspaceActivationTarget> shared(Fixture& fixture,
                                              std::map<WorkspaceTargetKey, int> targets,
                                              std::optional<std::string> owner) {
    return WorkspaceActivationPlanner::resolvedTargets(workspaceWith(std::move(targets)), false,
                                                       {kLeft}, owner, fixture.provider());
}

TEST(WorkspaceActivationPlannerTests, SeparateSpacesMapVisualToSystemIndexPerDisplay) {
    Fixture fixture;
    const auto targets = separate(fixture, {{kRightKey, 0}, {kLeftKey, 0}});
    ASSERT_EQ(targets.size(), 2u);
    // In the order of the connected displays, not of the stored keys.
    EXPECT_EQ(targets[0].displayIdentifier, kLeft.identifier);
    EXPECT_EQ(targets[0].visualIndex, 0);
    EXPECT_EQ(targets[0].targetSpaceID, 13u);
    EXPECT_EQ(targets[0].systemIndex, 2u);
    EXPECT_FALSE(targets[0].isAlreadyActive);
    EXPECT_EQ(targets[0].displaySnapshot, leftSnapshot());
    EXPECT_EQ(targets[1].displayIdentifier, kRight.identifier);
    EXPECT_EQ(targets[1].targetSpaceID, 21u);
    EXPECT_EQ(targets[1].systemIndex, 0u);
    EXPECT_FALSE(targets[1].isAlreadyActive);

    // Left already shows Space 11, its third cell.
    const auto inPlace = separate(fixture, {{kLeftKey, 2}});
    ASSERT_EQ(inPlace.size(), 1u);
    EXPECT_TRUE(inPlace[0].isAlreadyActive);
    EXPECT_EQ(inPlace[0].systemIndex, 0u);
}

TEST(WorkspaceActivationPlannerTests, ACellWithoutASpaceOrPastTheLayoutIsSkipped) {
    for (const int visualIndex : {1, 4, 1000, -1}) {
        Fixture fixture;
        const auto targets = separate(fixture, {{kLeftKey, visualIndex}, {kRightKey, 1}});
        ASSERT_EQ(targets.size(), 1u) << visualIndex;
        EXPECT_EQ(targets[0].displayIdentifier, kRight.identifier);
    }
}

TEST(WorkspaceActivationPlannerTests, SlotWhoseSystemIndexIsMissingIsSkipped) {
    // A layout whose index map has a real Space but no system index (the live order lost it).
    DisplaySpaceOrderSnapshot snapshot = rightSnapshot();
    snapshot.visualToSystemIndices[0] = -1;
    using Planner = WorkspaceActivationPlanner;
    EXPECT_EQ(Planner::resolveTarget(kRightKey, 0, kRight.identifier, snapshot), std::nullopt);
    EXPECT_TRUE(Planner::resolveTarget(kRightKey, 1, kRight.identifier, snapshot));
}

TEST(WorkspaceActivationPlannerTests, DisconnectedOrUnreadableDisplaysAreSkipped) {
    Fixture fixture;
    fixture.snapshots.erase(kRight.identifier);
    EXPECT_TRUE(
        separate(fixture,
                 {{WorkspaceTargetKey::display("GONE-UUID"), 0}, {kRightKey, 0}, {kShared, 0}})
            .empty());
    EXPECT_EQ(fixture.asked, std::vector<std::string>{kRight.identifier});
}

TEST(WorkspaceActivationPlannerTests, SharedSpacesUseTheSharedAssignmentOnTheOwningDisplay) {
    Fixture fixture;
    const auto targets = shared(fixture, {{kShared, 2}, {kLeftKey, 0}}, "Main");
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].key, kShared);
    EXPECT_EQ(targets[0].displayIdentifier, "Main");
    EXPECT_EQ(targets[0].targetSpaceID, 33u);
    EXPECT_EQ(targets[0].systemIndex, 2u);
}

TEST(WorkspaceActivationPlannerTests, SharedSpacesWithoutOwningDisplayOrAssignmentResolveNothing) {
    Fixture fixture;
    EXPECT_TRUE(shared(fixture, {{kShared, 0}}, std::nullopt).empty());
    EXPECT_TRUE(shared(fixture, {{kLeftKey, 0}}, "Main").empty());
    EXPECT_TRUE(fixture.asked.empty());
    // Nor without a way to read the layouts.
    EXPECT_TRUE(WorkspaceActivationPlanner::resolvedTargets(workspaceWith({{kLeftKey, 0}}), true,
                                                            {kLeft}, std::nullopt, {})
                    .empty());
}

} // namespace
} // namespace tessarin
