#include "Core/AppDelegate/AppDelegateEngineFixture.h"
#include "Core/Settings/DisplaySettingsScope.h"
#include "Core/Workspaces/WorkspaceShortcut.h"
#include "Platform/DockSwipeGesture.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::AppDelegateEngineFixture;
using testing::kBuiltInUUID;
using testing::kExternalUUID;

class AppDelegateWorkspacesTest : public AppDelegateEngineFixture {
protected:
    explicit AppDelegateWorkspacesTest(const Scenario& scenario = Scenario::defaultScenario())
        : AppDelegateEngineFixture(scenario) {}
    void SetUp() override { makeDelegate(); }

    static WorkspaceShortcut workspace(std::map<WorkspaceTargetKey, int> targets) {
        WorkspaceShortcut result;
        result.id = *Uuid::fromString("6F1C2A3B-4D5E-4F60-8172-8394A5B6C7D8");
        result.name = "Writing";
        result.targets = std::move(targets);
        return result;
    }

    void activate(const WorkspaceShortcut& shortcut) {
        delegate->activateWorkspace(shortcut, trace);
        settle();
    }

    // Every synthetic Dock swipe the bridge posted, decoded.
    std::vector<DockSwipeEvent> postedSwipes() {
        std::vector<DockSwipeEvent> swipes;
        for (const Event& event : host.events().postedEvents()) {
            if (auto swipe = decodeDockSwipeEvent(event)) {
                swipes.push_back(*swipe);
            }
        }
        return swipes;
    }

    std::vector<OSDPresentationMetricsFields> postedTargets() {
        std::vector<OSDPresentationMetricsFields> result;
        for (const auto& mark : seams.metrics->marks) {
            if (mark.step == "workspace.target.posted") {
                result.push_back(mark.fields);
            }
        }
        return result;
    }

    // Makes a cell of the external display a placeholder and returns its visual index.
    int makePlaceholderOnExternalDisplay() {
        GridModeStore::shared().setUsePlaceholders(true,
                                                   DisplaySettingsScope::display(kExternalUUID));
        const auto moved = DisplaySpaceOrderStore::shared().moveVisualOrder(
            0, 5, OSDGridRearrangementBehavior::swap, kExternalUUID, {9, 10, 11, 12}, 9, true, 16,
            0);
        EXPECT_TRUE(moved.has_value());
        const auto resolved =
            delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string(kExternalUUID));
        EXPECT_TRUE(resolved.has_value());
        if (!resolved || resolved->displaySnapshot.placeholderIndices().empty()) {
            ADD_FAILURE() << "no placeholder made";
            return 0;
        }
        return *resolved->displaySnapshot.placeholderIndices().begin();
    }

    OSDPresentationMetricsTraceRef trace = std::make_shared<OSDPresentationMetricsTrace>();
    const WorkspaceTargetKey builtIn = WorkspaceTargetKey::display(kBuiltInUUID);
    const WorkspaceTargetKey external = WorkspaceTargetKey::display(kExternalUUID);
};

TEST_F(AppDelegateWorkspacesTest, SwitchesOnlyTheDisplayThatIsNotAlreadyInPlace) {
    // Built-in: Space 5 (now on 4); external: Space 9, where it is already.
    activate(workspace({{builtIn, 2}, {external, 0}}));

    ASSERT_EQ(postedTargets().size(), 1u);
    EXPECT_EQ(postedTargets()[0], (OSDPresentationMetricsFields{{"success", "true"},
                                                                {"display", kBuiltInUUID},
                                                                {"visualIndex", "2"},
                                                                {"systemIndex", "2"}}));
    EXPECT_EQ(seams.metrics->steps(),
              (std::vector<std::string>{"workspace.started", "workspace.target.posted",
                                        "workspace.completed"}));
    EXPECT_EQ(seams.metrics->fieldsOf("workspace.started"),
              (OSDPresentationMetricsFields{{"workspaceID", "6F1C2A3B-4D5E-4F60-8172-8394A5B6C7D8"},
                                            {"targetCount", "2"}}));
    EXPECT_EQ(seams.metrics->fieldsOf("workspace.completed"),
              (OSDPresentationMetricsFields{{"resolvedTargets", "2"}}));

    queue.advance(0.5);
    EXPECT_EQ(currentSpace(kBuiltInUUID), 5u);
    EXPECT_EQ(currentSpace(kExternalUUID), 9u);
    EXPECT_EQ(dock().spaceChanges().size(), 1u);
    EXPECT_EQ(host.system().beepCount(), 0);
    EXPECT_EQ(seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));

    // Each switched display's verification is numbered under its own key.
    EXPECT_EQ(delegate->spaceSwitchVerificationGenerations.generation(kBuiltInUUID), 1u);
    EXPECT_EQ(delegate->spaceSwitchVerificationGenerations.generation(kExternalUUID), 0u);
}

TEST_F(AppDelegateWorkspacesTest, SwitchesEveryAssignedDisplayOnItsOwnSpaces) {
    activate(workspace({{builtIn, 5}, {external, 3}}));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace(kBuiltInUUID), 8u);
    EXPECT_EQ(currentSpace(kExternalUUID), 12u);
    EXPECT_EQ(postedTargets().size(), 2u);
    EXPECT_EQ(host.system().beepCount(), 0);
}

// From major version 27 the Dock swipe carries the target index itself, so a cell without a Space
// handed on as -1 would be posted as 4294967295.
Scenario augmentedPostScenario() {
    Scenario scenario = Scenario::defaultScenario();
    scenario.operatingSystemVersion = {27, 0, 0};
    return scenario;
}

class AppDelegateAugmentedPostWorkspacesTest : public AppDelegateWorkspacesTest {
protected:
    AppDelegateAugmentedPostWorkspacesTest() : AppDelegateWorkspacesTest(augmentedPostScenario()) {}
};

TEST_F(AppDelegateAugmentedPostWorkspacesTest,
       ATargetWithoutASystemIndexIsNeverPostedAsAHugeIndex) {
    const int placeholder = makePlaceholderOnExternalDisplay();
    host.events().clearPostedEvents();

    activate(workspace({{builtIn, 3}, {external, placeholder}}));
    queue.advance(0.5);

    ASSERT_EQ(postedTargets().size(), 1u);
    EXPECT_EQ(postedTargets()[0].at("display"), kBuiltInUUID);
    EXPECT_EQ(currentSpace(kBuiltInUUID), 6u);
    EXPECT_EQ(currentSpace(kExternalUUID), 9u);
    std::size_t carried = 0;
    for (const DockSwipeEvent& swipe : postedSwipes()) {
        if (swipe.targetIndex) {
            ++carried;
            EXPECT_EQ(*swipe.targetIndex, 3u) << "the built-in display's fourth Space only";
        }
    }
    EXPECT_GT(carried, 0u);
    EXPECT_EQ(host.system().beepCount(), 0);
}

enum class Setup { none, noPosting, untrusted };

struct BeepCase {
    const char* name;
    std::vector<std::pair<bool, int>> targets; // (built-in?, visual index)
    Setup setup;
    int beeps;
    const char* abortReason; // none: completed
    int posts;
};

void PrintTo(const BeepCase& value, std::ostream* out) {
    *out << value.name;
}

class AppDelegateWorkspaceBeepTest : public AppDelegateWorkspacesTest,
                                     public ::testing::WithParamInterface<BeepCase> {};

TEST_P(AppDelegateWorkspaceBeepTest, BeepsOnlyWhenNothingSwitchedAndNothingWasInPlace) {
    const BeepCase& c = GetParam();
    std::map<WorkspaceTargetKey, int> targets;
    for (const auto& [isBuiltIn, index] : c.targets) {
        targets[isBuiltIn ? builtIn : external] = index;
    }
    if (c.setup == Setup::noPosting) {
        host.calls().postEvent = nullptr;
    } else if (c.setup == Setup::untrusted) {
        host.system().setProcessTrusted(false);
    }
    activate(workspace(targets));

    EXPECT_EQ(host.system().beepCount(), c.beeps);
    EXPECT_EQ(static_cast<int>(postedTargets().size()), c.posts);
    ASSERT_FALSE(seams.metrics->steps().empty());
    EXPECT_EQ(seams.metrics->steps().back(),
              c.abortReason ? "workspace.aborted" : "workspace.completed");
    if (c.abortReason) {
        EXPECT_EQ(seams.metrics->fieldsOf("workspace.aborted").at("reason"), c.abortReason);
    }
    EXPECT_EQ(seams.healthWindow->presented.size(), c.setup == Setup::untrusted ? 1u : 0u);
}

constexpr const char* kUnresolved = "unresolved-targets";

INSTANTIATE_TEST_SUITE_P(
    Cases, AppDelegateWorkspaceBeepTest,
    ::testing::Values(
        BeepCase{"allAlreadyInPlace", {{true, 1}, {false, 0}}, Setup::none, 0, {}, 0},
        BeepCase{"oneSwitched", {{true, 0}}, Setup::none, 0, {}, 1},
        BeepCase{"nothingResolves", {{true, 6}, {false, 4}}, Setup::none, 1, kUnresolved, 0},
        BeepCase{"noAssignments", {}, Setup::none, 1, kUnresolved, 0},
        BeepCase{
            "everySwitchFailed", {{true, 0}, {false, 2}}, Setup::noPosting, 1, "switch-failed", 2},
        // A failed post next to a display already in place is not beeped at.
        BeepCase{"failedButOneInPlace", {{true, 0}, {false, 0}}, Setup::noPosting, 0, {}, 1},
        // The access guard tells the user itself (the health window).
        BeepCase{"untrusted", {{true, 0}}, Setup::untrusted, 0, "access", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppDelegateWorkspacesTest, AnOpenPreviewEndsAndEveryGridIsTakenAwayBeforePosting) {
    delegate->currentGridOSDDisplayIdentifier = kBuiltInUUID;
    activate(workspace({{builtIn, 2}}));
    EXPECT_EQ(delegate->currentGridOSDDisplayIdentifier, std::nullopt);
    EXPECT_FALSE(delegate->gridOSDPreviewSession.has_value());
    EXPECT_GE(seams.osdWindow->suspendCount, 1);
    EXPECT_EQ(seams.trackpad->cancelCount, 1);
}

TEST_F(AppDelegateWorkspacesTest, WithoutATraceNothingIsMarkedAndTheActivationIsTheSame) {
    delegate->activateWorkspace(workspace({{builtIn, 2}}), nullptr);
    queue.advance(0.5);
    EXPECT_TRUE(seams.metrics->marks.empty());
    EXPECT_EQ(currentSpace(kBuiltInUUID), 5u);
}

TEST_F(AppDelegateWorkspacesTest, AWindowlessTargetSpaceTakesFocusFromTheFrontApplication) {
    // Space 7 holds no window: Finder takes focus, so the switch pulls no window along.
    seams.windowPreviews->windowless.insert({kBuiltInUUID, 7});
    activate(workspace({{builtIn, 4}}));
    ASSERT_TRUE(host.system().frontmostApplication().has_value());
    EXPECT_EQ(host.system().frontmostApplication()->bundleIdentifier, "com.apple.finder");
}

class AppDelegateSharedSpacesWorkspaceTest : public AppDelegateWorkspacesTest {
protected:
    void SetUp() override {
        AppDelegateWorkspacesTest::SetUp();
        windowServer().configureSpaces(false, {SpaceList{kSharedSpacesDisplayIdentifier,
                                                         {{21, kSpaceTypeUserDesktop, "a"},
                                                          {22, kSpaceTypeUserDesktop, "b"},
                                                          {23, kSpaceTypeUserDesktop, "c"}},
                                                         21}});
    }
};

TEST_F(AppDelegateSharedSpacesWorkspaceTest, TheSharedAssignmentSwitchesTheSharedSpaces) {
    activate(workspace({{WorkspaceTargetKey::sharedSpaces(), 2}, {builtIn, 1}}));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace(kSharedSpacesDisplayIdentifier), 23u);
    ASSERT_EQ(postedTargets().size(), 1u) << "per-display assignments wait for separate Spaces";
    EXPECT_EQ(postedTargets()[0].at("display"), kSharedSpacesDisplayIdentifier);
}

} // namespace
} // namespace tessarin
