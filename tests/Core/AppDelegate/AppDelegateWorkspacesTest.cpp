#include "Core/Fakes/EngineWorld.h"
#include "Platform/DockSwipeGesture.h"
#include "Workspaces/WorkspaceShortcut.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::kBuiltInUUID;
using fakes::kExternalUUID;
using fakes::World;
using Fields = OSDPresentationMetricsFields;

const WorkspaceTargetKey kBuiltIn = WorkspaceTargetKey::display(kBuiltInUUID);
const WorkspaceTargetKey kExternal = WorkspaceTargetKey::display(kExternalUUID);

WorkspaceShortcut workspace(std::map<WorkspaceTargetKey, int> targets) {
    WorkspaceShortcut result;
    result.id = *Uuid::fromString("6F1C2A3B-4D5E-4F60-8172-8394A5B6C7D8");
    result.name = "Writing";
    result.targets = std::move(targets);
    return result;
}

void activate(World& world, std::map<WorkspaceTargetKey, int> targets) {
    world.d().activateWorkspace(workspace(std::move(targets)),
                                std::make_shared<OSDPresentationMetricsTrace>());
    world.queue.runUntilIdle();
}

std::vector<Fields> postedTargets(World& world) {
    std::vector<Fields> result;
    for (const auto& mark : world.seams.metrics->marks) {
        if (mark.step == "workspace.target.posted") {
            result.push_back(mark.fields);
        }
    }
    return result;
}

class AppDelegateWorkspacesTest : public fakes::EngineTest {};

TEST_F(AppDelegateWorkspacesTest, SwitchesOnlyTheDisplayThatIsNotAlreadyInPlace) {
    // Built-in: Space 5 (now on 4); external: Space 9, where it is already.
    activate(world, {{kBuiltIn, 2}, {kExternal, 0}});

    // clang-format off
    EXPECT_EQ(postedTargets(world),
        (std::vector<Fields>{{{"success", "true"}, {"display", kBuiltInUUID}, {"visualIndex", "2"}, {"systemIndex", "2"}}}));
    // clang-format on
    EXPECT_EQ(world.seams.metrics->steps(),
              (std::vector<std::string>{"workspace.started", "workspace.target.posted",
                                        "workspace.completed"}));
    EXPECT_EQ(world.seams.metrics->fieldsOf("workspace.started").at("targetCount"), "2");

    world.settle();
    EXPECT_EQ(world.current(kBuiltInUUID), 5u);
    EXPECT_EQ(world.current(kExternalUUID), 9u);
    EXPECT_EQ(world.host.dock().spaceChanges().size(), 1u);
    EXPECT_EQ(world.seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    // Each switched display's verification is numbered under its own key.
    EXPECT_EQ(d().spaceSwitchVerificationGenerations.generation(kBuiltInUUID), 1u);
    EXPECT_EQ(d().spaceSwitchVerificationGenerations.generation(kExternalUUID), 0u);

    // Both displays, each on its own Spaces.
    activate(world, {{kBuiltIn, 5}, {kExternal, 3}});
    world.settle();
    EXPECT_EQ(world.current(kBuiltInUUID), 8u);
    EXPECT_EQ(world.current(kExternalUUID), 12u);
}

// From major version 27 the Dock swipe carries the target index itself, so a cell without a Space
// handed on as -1 would be posted as 4294967295.
TEST(AppDelegateAugmentedPostWorkspaces, ATargetWithoutASystemIndexIsNeverPostedAsAHugeIndex) {
    Scenario scenario = Scenario::defaultScenario();
    scenario.operatingSystemVersion = {27, 0, 0};
    World world(scenario);
    // The external display's first Space moved past its end leaves its first cell empty.
    world.grid().setUsePlaceholders(true, DisplaySettingsScope::display(kExternalUUID));
    ASSERT_TRUE(world.d().spaceOrderStore.moveVisualOrder(
        0, 5, OSDGridRearrangementBehavior::swap, kExternalUUID, {9, 10, 11, 12}, 9, true, 16, 0));

    activate(world, {{kBuiltIn, 3}, {kExternal, 0}});
    world.settle();

    ASSERT_EQ(postedTargets(world).size(), 1u);
    EXPECT_EQ(postedTargets(world)[0].at("display"), kBuiltInUUID);
    EXPECT_EQ(world.current(kBuiltInUUID), 6u);
    EXPECT_EQ(world.current(kExternalUUID), 9u);
    std::size_t carried = 0;
    for (const Event& event : world.host.events().postedEvents()) {
        const auto swipe = decodeDockSwipeEvent(event);
        if (swipe && swipe->targetIndex) {
            ++carried;
            EXPECT_EQ(*swipe->targetIndex, 3u) << "the built-in display's fourth Space only";
        }
    }
    EXPECT_GT(carried, 0u);
}

TEST(AppDelegateWorkspaceBeep, BeepsOnlyWhenNothingSwitchedAndNothingWasInPlace) {
    enum class Setup { none, noPosting, untrusted };
    constexpr const char* kUnresolved = "unresolved-targets";
    // clang-format off
    struct Case { const char* name; std::map<WorkspaceTargetKey, int> targets; Setup setup;
                  int beeps; const char* abortReason; int posts; };
    // An abort reason of none: the workspace completed.
    const Case cases[] = {
        {"all already in place", {{kBuiltIn, 1}, {kExternal, 0}}, Setup::none, 0, {}, 0},
        {"one switched", {{kBuiltIn, 0}}, Setup::none, 0, {}, 1},
        {"nothing resolves", {{kBuiltIn, 6}, {kExternal, 4}}, Setup::none, 1, kUnresolved, 0},
        {"no assignments", {}, Setup::none, 1, kUnresolved, 0},
        {"every switch failed", {{kBuiltIn, 0}, {kExternal, 2}}, Setup::noPosting, 1, "switch-failed", 2},
        // A failed post next to a display already in place is not beeped at.
        {"failed but one in place", {{kBuiltIn, 0}, {kExternal, 0}}, Setup::noPosting, 0, {}, 1},
        // The access guard tells the user itself (the health window).
        {"untrusted", {{kBuiltIn, 0}}, Setup::untrusted, 0, "access", 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World world(Scenario::defaultScenario());
        if (c.setup == Setup::noPosting) {
            world.host.calls().postEvent = nullptr;
        } else if (c.setup == Setup::untrusted) {
            world.host.system().setProcessTrusted(false);
        }
        activate(world, c.targets);

        EXPECT_EQ(world.beeps(), c.beeps);
        EXPECT_EQ(static_cast<int>(postedTargets(world).size()), c.posts);
        ASSERT_FALSE(world.seams.metrics->steps().empty());
        EXPECT_EQ(world.seams.metrics->steps().back(),
                  c.abortReason ? "workspace.aborted" : "workspace.completed");
        EXPECT_EQ(world.abortReason("workspace.aborted"), c.abortReason ? c.abortReason : "");
        EXPECT_EQ(world.seams.healthWindow->presented.size(),
                  c.setup == Setup::untrusted ? 1u : 0u);
    }
}

TEST_F(AppDelegateWorkspacesTest, AnOpenPreviewEndsAndEveryGridIsTakenAwayBeforePosting) {
    d().currentGridOSDDisplayIdentifier = kBuiltInUUID;
    activate(world, {{kBuiltIn, 2}});
    EXPECT_EQ(d().currentGridOSDDisplayIdentifier, std::nullopt);
    EXPECT_FALSE(d().gridOSDPreviewSession.has_value());
    EXPECT_GE(world.seams.osdWindow->suspendCount, 1);
    EXPECT_EQ(world.seams.trackpad->cancelCount, 1);
}

TEST_F(AppDelegateWorkspacesTest, AWindowlessTargetSpaceTakesFocusFromTheFrontApplication) {
    // Space 7 holds no window: Finder takes focus, so the switch pulls no window along.
    world.seams.windowPreviews->windowless.insert({kBuiltInUUID, 7});
    activate(world, {{kBuiltIn, 4}});
    ASSERT_TRUE(world.host.system().frontmostApplication().has_value());
    EXPECT_EQ(world.host.system().frontmostApplication()->bundleIdentifier, "com.apple.finder");
}

TEST_F(AppDelegateWorkspacesTest, TheSharedAssignmentSwitchesTheSharedSpaces) {
    world.host.windowServer().configureSpaces(false, {SpaceList{kSharedSpacesDisplayIdentifier,
                                                                {{21, kSpaceTypeUserDesktop, "a"},
                                                                 {22, kSpaceTypeUserDesktop, "b"},
                                                                 {23, kSpaceTypeUserDesktop, "c"}},
                                                                21}});
    activate(world, {{WorkspaceTargetKey::sharedSpaces(), 2}, {kBuiltIn, 1}});
    world.settle();
    EXPECT_EQ(world.current(kSharedSpacesDisplayIdentifier), 23u);
    ASSERT_EQ(postedTargets(world).size(), 1u)
        << "per-display assignments wait for separate Spaces";
    EXPECT_EQ(postedTargets(world)[0].at("display"), kSharedSpacesDisplayIdentifier);
}

} // namespace
} // namespace tessarin
