#include "Core/Workspaces/WorkspaceActivationPlanner.h"

#include <gtest/gtest.h>
#include <map>

namespace tessarin {
namespace {

using Slot = DisplaySpaceSlot;

const TessarinDisplay kLeft{"LEFT-UUID", "Left"};
const TessarinDisplay kRight{"RIGHT-UUID", "Right"};

// Left: system order 11, 12, 13; visual order 13, placeholder, 11, 12; active 11.
DisplaySpaceOrderSnapshot leftSnapshot() {
    return DisplaySpaceOrderSnapshot::make(
        kLeft.identifier, {11, 12, 13},
        {Slot::realSpace(13), Slot::makePlaceholder(), Slot::realSpace(11), Slot::realSpace(12)},
        11);
}

// Right: system order 21, 22; visual as system; active 22.
DisplaySpaceOrderSnapshot rightSnapshot() {
    return DisplaySpaceOrderSnapshot::make(kRight.identifier, {21, 22},
                                           {Slot::realSpace(21), Slot::realSpace(22)}, 22);
}

// Shared Spaces on "Main": 31, 32, 33, active 31.
DisplaySpaceOrderSnapshot mainSnapshot() {
    return DisplaySpaceOrderSnapshot::make(
        "Main", {31, 32, 33}, {Slot::realSpace(31), Slot::realSpace(32), Slot::realSpace(33)}, 31);
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

std::vector<WorkspaceActivationTarget> separate(Fixture& fixture, const WorkspaceShortcut& w) {
    return WorkspaceActivationPlanner::resolvedTargets(w, true, {kLeft, kRight}, "LEFT-UUID",
                                                       fixture.provider());
}

TEST(WorkspaceActivationPlannerTests, SeparateSpacesMapVisualToSystemIndexPerDisplay) {
    Fixture fixture;
    const auto targets =
        separate(fixture, workspaceWith({{WorkspaceTargetKey::display(kRight.identifier), 0},
                                         {WorkspaceTargetKey::display(kLeft.identifier), 0}}));
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
    const auto inPlace =
        separate(fixture, workspaceWith({{WorkspaceTargetKey::display(kLeft.identifier), 2}}));
    ASSERT_EQ(inPlace.size(), 1u);
    EXPECT_TRUE(inPlace[0].isAlreadyActive);
    EXPECT_EQ(inPlace[0].systemIndex, 0u);
}

TEST(WorkspaceActivationPlannerTests, ACellWithoutASpaceOrPastTheLayoutIsSkipped) {
    for (const int visualIndex : {1, 4, 1000, -1}) {
        Fixture fixture;
        const auto targets = separate(
            fixture, workspaceWith({{WorkspaceTargetKey::display(kLeft.identifier), visualIndex},
                                    {WorkspaceTargetKey::display(kRight.identifier), 1}}));
        ASSERT_EQ(targets.size(), 1u) << visualIndex;
        EXPECT_EQ(targets[0].displayIdentifier, kRight.identifier);
    }
}

TEST(WorkspaceActivationPlannerTests, SlotWhoseSystemIndexIsMissingIsSkipped) {
    // A layout whose index map has a real Space but no system index (the live order lost it).
    DisplaySpaceOrderSnapshot snapshot = rightSnapshot();
    snapshot.visualToSystemIndices[0] = -1;
    EXPECT_EQ(WorkspaceActivationPlanner::resolveTarget(
                  WorkspaceTargetKey::display(kRight.identifier), 0, kRight.identifier, snapshot),
              std::nullopt);
    EXPECT_TRUE(WorkspaceActivationPlanner::resolveTarget(
        WorkspaceTargetKey::display(kRight.identifier), 1, kRight.identifier, snapshot));
}

TEST(WorkspaceActivationPlannerTests, DisconnectedOrUnreadableDisplaysAreSkipped) {
    Fixture fixture;
    fixture.snapshots.erase(kRight.identifier);
    const auto targets =
        separate(fixture, workspaceWith({{WorkspaceTargetKey::display("GONE-UUID"), 0},
                                         {WorkspaceTargetKey::display(kRight.identifier), 0},
                                         {WorkspaceTargetKey::sharedSpaces(), 0}}));
    EXPECT_TRUE(targets.empty());
    EXPECT_EQ(fixture.asked, std::vector<std::string>{kRight.identifier});
}

TEST(WorkspaceActivationPlannerTests, SharedSpacesUseTheSharedAssignmentOnTheOwningDisplay) {
    Fixture fixture;
    const auto workspace = workspaceWith({{WorkspaceTargetKey::sharedSpaces(), 2},
                                          {WorkspaceTargetKey::display(kLeft.identifier), 0}});
    const auto targets = WorkspaceActivationPlanner::resolvedTargets(
        workspace, false, {kLeft, kRight}, std::string("Main"), fixture.provider());
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].key, WorkspaceTargetKey::sharedSpaces());
    EXPECT_EQ(targets[0].displayIdentifier, "Main");
    EXPECT_EQ(targets[0].targetSpaceID, 33u);
    EXPECT_EQ(targets[0].systemIndex, 2u);
}

TEST(WorkspaceActivationPlannerTests, SharedSpacesWithoutOwningDisplayOrAssignmentResolveNothing) {
    Fixture fixture;
    EXPECT_TRUE(WorkspaceActivationPlanner::resolvedTargets(
                    workspaceWith({{WorkspaceTargetKey::sharedSpaces(), 0}}), false, {kLeft},
                    std::nullopt, fixture.provider())
                    .empty());
    EXPECT_TRUE(WorkspaceActivationPlanner::resolvedTargets(
                    workspaceWith({{WorkspaceTargetKey::display(kLeft.identifier), 0}}), false,
                    {kLeft}, std::string("Main"), fixture.provider())
                    .empty());
    EXPECT_TRUE(fixture.asked.empty());
    // Nor without a way to read the layouts.
    EXPECT_TRUE(WorkspaceActivationPlanner::resolvedTargets(
                    workspaceWith({{WorkspaceTargetKey::display(kLeft.identifier), 0}}), true,
                    {kLeft}, std::nullopt, {})
                    .empty());
}

} // namespace
} // namespace tessarin
