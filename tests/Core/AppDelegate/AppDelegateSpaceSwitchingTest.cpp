#include "Core/Fakes/SwitchingWorld.h"
#include "Core/Settings/DisplaySettingsScope.h"
#include "Hotkeys/HotkeyCombination.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::SwitchingWorld;

constexpr TessarinDirection kLeft = TessarinDirectionLeft;
constexpr TessarinDirection kRight = TessarinDirectionRight;
constexpr TessarinDirection kUp = TessarinDirectionUp;
constexpr TessarinDirection kDown = TessarinDirectionDown;

// A move on display A (8 Spaces, 101 to 108, in 3 columns: rows 101-103, 104-106, 107-108).
struct NeighbourCase {
    const char* name;
    SpaceID start;
    TessarinDirection direction;
    bool blocksAtEdges;
    GridWrapStyle wrapStyle;
    std::optional<SpaceID> expected; // none: blocked
};

TEST(AppDelegateSpaceSwitching, neighbourMovesFollowTheGridRules) {
    const NeighbourCase cases[] = {
        {"right inside a row", 101, kRight, true, GridWrapStyle::snake, 102},
        {"down a row", 102, kDown, true, GridWrapStyle::snake, 105},
        {"up a row", 105, kUp, true, GridWrapStyle::snake, 102},
        {"left at the row start, blocking", 104, kLeft, true, GridWrapStyle::snake, std::nullopt},
        {"right at the row end, blocking", 103, kRight, true, GridWrapStyle::snake, std::nullopt},
        {"up from the top row, blocking", 102, kUp, true, GridWrapStyle::snake, std::nullopt},
        {"right at the row end, snake", 103, kRight, false, GridWrapStyle::snake, 104},
        {"left at the row start, snake", 104, kLeft, false, GridWrapStyle::snake, 103},
        {"right at the row end, pac-man", 103, kRight, false, GridWrapStyle::pacMan, 101},
        {"left at the row start, pac-man", 104, kLeft, false, GridWrapStyle::pacMan, 106},
        {"right on the last Space, snake", 108, kRight, false, GridWrapStyle::snake, 101},
        {"right on the last Space, pac-man", 108, kRight, false, GridWrapStyle::pacMan, 107},
        {"up from the top row wraps to the bottom", 101, kUp, false, GridWrapStyle::snake, 107},
        {"down past a short last row", 106, kDown, false, GridWrapStyle::pacMan, 103},
    };
    for (const NeighbourCase& c : cases) {
        SCOPED_TRACE(c.name);
        SwitchingWorld world(fakes::switchingScenario(c.start));
        GridModeStore& grid = world.delegate->gridModeStore;
        grid.setColumnCount(GridColumnCount::three, DisplaySettingsScope::global());
        grid.setBlocksAtEdges(c.blocksAtEdges, DisplaySettingsScope::global());
        grid.setWrapStyle(c.wrapStyle, DisplaySettingsScope::global());

        world.delegate->performSpaceSwitch(c.direction);
        world.settle();

        const auto& shows = world.seams.presentation->showOSDCalls;
        ASSERT_EQ(shows.size(), 1u);
        if (c.expected) {
            EXPECT_EQ(world.current(), *c.expected);
            EXPECT_EQ(shows[0].targetIndex, *c.expected - 101);
            EXPECT_EQ(shows[0].sourceIndex, std::optional<uint32_t>(c.start - 101));
            EXPECT_EQ(shows[0].direction, std::optional(c.direction));
            EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
        } else {
            // Blocked: nothing is posted and the OSD shows where the user still is.
            EXPECT_EQ(world.current(), c.start);
            EXPECT_EQ(world.gestures(), 0u);
            EXPECT_EQ(shows[0].targetIndex, c.start - 101);
            EXPECT_EQ(shows[0].sourceIndex, std::nullopt);
        }
        EXPECT_EQ(shows[0].spaceCount, std::optional<uint32_t>(8));
        EXPECT_EQ(world.beeps(), 0);
    }
}

TEST(AppDelegateSpaceSwitching, withGridModeOffOnlyHorizontalMovesSwitch) {
    SwitchingWorld world(fakes::switchingScenario(103));
    world.host.preferences().setAppValue(GridModeStore::gridModeEnabledKey, PropertyValue(false),
                                         world.delegate->gridModeStore.domain());
    world.queue.runUntilIdle();
    ASSERT_FALSE(world.delegate->gridModeStore.isEnabled.value());
    world.delegate->gridModeStore.setBlocksAtEdges(true, DisplaySettingsScope::global());

    world.delegate->performSpaceSwitch(kDown);
    world.settle();
    EXPECT_EQ(world.current(), 103u);

    // One row: the end of a grid row is no edge.
    world.delegate->performSpaceSwitch(kRight);
    world.settle();
    EXPECT_EQ(world.current(), 104u);
}

TEST(AppDelegateSpaceSwitching, aMoveFollowsTheUsersLayoutNotTheSystemOrder) {
    SwitchingWorld world;
    // The user put Space 105 in the second cell (exchanging it with 102).
    const std::vector<SpaceID> system{101, 102, 103, 104, 105, 106, 107, 108};
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        4, 1, OSDGridRearrangementBehavior::swap, "UUID-A", system, 101, false, 8, 0));

    world.delegate->performSpaceSwitch(kRight);
    world.settle();

    EXPECT_EQ(world.current(), 105u);
    ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls[0].targetIndex, 1u);
}

TEST(AppDelegateSpaceSwitching, aMoveOntoAnEmptyCellPostsNothing) {
    SwitchingWorld world;
    world.delegate->gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::global());
    // Space 102 moved to the tenth cell leaves the second cell empty.
    const std::vector<SpaceID> system{101, 102, 103, 104, 105, 106, 107, 108};
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        1, 9, OSDGridRearrangementBehavior::swap, "UUID-A", system, 101, true, 12, 0));
    auto trace = std::make_shared<OSDPresentationMetricsTrace>();

    world.delegate->performSpaceSwitch(kRight, std::nullopt, std::nullopt, trace);
    world.settle();

    EXPECT_EQ(world.current(), 101u);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_EQ(world.seams.metrics->fieldsOf("space.switch.aborted").at("reason"),
              "placeholder-target");
    ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls[0].targetIndex, 0u);
}

TEST(AppDelegateSpaceSwitching, quickPressesMoveOnFromThePredictedSpace) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(kRight);
    world.queue.advance(0.05);
    world.delegate->performSpaceSwitch(kRight);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateSpaceSwitching, anExplicitDisplaySwitchesOnlyThatDisplay) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(kRight, std::string("UUID-B"));
    world.settle();
    EXPECT_EQ(world.current("UUID-B"), 202u);
    EXPECT_EQ(world.current("UUID-A"), 101u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls.at(0).displayIdentifier,
              std::optional<std::string>("UUID-B"));
}

TEST(AppDelegateSpaceSwitching, sharedSpacesSwitchTheSharedList) {
    SwitchingWorld world(fakes::sharedSwitchingScenario());
    EXPECT_EQ(world.delegate->spaceDisplayIdentifier(std::string("UUID-B")),
              std::optional<std::string>("Main"));
    world.delegate->performSpaceSwitch(kRight, std::string("UUID-B"));
    world.settle();
    EXPECT_EQ(world.current("Main"), 2u);
}

TEST(AppDelegateSpaceSwitching, separateSpacesKeepTheGivenDisplay) {
    SwitchingWorld world;
    EXPECT_EQ(world.delegate->spaceDisplayIdentifier(std::string("UUID-B")),
              std::optional<std::string>("UUID-B"));
    EXPECT_EQ(world.delegate->spaceDisplayIdentifier(std::nullopt), std::nullopt);
}

// ---------------------------------------------------------------- Direct jumps

TEST(AppDelegateSpaceSwitching, directJumpsToSpacesOneToTen) {
    // Spaces 9 and 10 lie beyond the 8 Spaces of the display: the last one is taken.
    const SpaceID expected[10] = {101, 102, 103, 104, 105, 106, 107, 108, 108, 108};
    for (uint32_t index = 0; index < 10; ++index) {
        SCOPED_TRACE("Space " + std::to_string(index + 1));
        SwitchingWorld world(fakes::switchingScenario(104));
        world.delegate->performSpaceSwitchToIndex(index);
        world.settle();
        EXPECT_EQ(world.current(), expected[index]);
        EXPECT_EQ(world.beeps(), 0);
        // Jumping to the Space already shown posts nothing.
        EXPECT_EQ(world.gestures() == 0, expected[index] == 104);
        ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
        EXPECT_EQ(world.seams.presentation->showOSDCalls[0].targetIndex, expected[index] - 101);
    }
}

TEST(AppDelegateSpaceSwitching, anyIndexPastTheLayoutTakesTheLastSpace) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitchToIndex(UINT32_MAX);
    world.settle();
    EXPECT_EQ(world.current(), 108u);
    EXPECT_EQ(world.beeps(), 0);
}

TEST(AppDelegateSpaceSwitching, aDirectJumpIntoAPlaceholderPostsNothing) {
    SwitchingWorld world;
    world.delegate->gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::global());
    // Space 108 moved to the tenth cell leaves cells 8 and 9 (indexes 7 and 8) empty.
    const std::vector<SpaceID> system{101, 102, 103, 104, 105, 106, 107, 108};
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        7, 9, OSDGridRearrangementBehavior::swap, "UUID-A", system, 101, true, 12, 0));

    world.delegate->performSpaceSwitchToIndex(7);
    world.settle();
    EXPECT_EQ(world.current(), 101u);
    EXPECT_EQ(world.gestures(), 0u);
    ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls[0].targetIndex, 7u);

    // The tenth cell holds Space 108, the eighth of the system's order.
    world.delegate->performSpaceSwitchToIndex(9);
    world.settle();
    EXPECT_EQ(world.current(), 108u);
}

TEST(AppDelegateSpaceSwitching, aDirectJumpCanHideTheOSD) {
    SwitchingWorld world;
    world.delegate->gridModeStore.setHideOSDOnDirectJump(true, DisplaySettingsScope::global());
    world.delegate->performSpaceSwitchToIndex(2);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
    EXPECT_TRUE(world.seams.presentation->showOSDCalls.empty());
}

// ---------------------------------------------------------------- Last Space

TEST(AppDelegateSpaceSwitching, theLastSpaceIsSwitchedBackTo) {
    SwitchingWorld world;
    world.delegate->lastSpaceReference = AppDelegate::LastSpaceReference{"UUID-A", 106};
    world.delegate->performSpaceLastSpace();
    world.settle();
    EXPECT_EQ(world.current(), 106u);
    ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls[0].targetIndex, 5u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls[0].displayIdentifier,
              std::optional<std::string>("UUID-A"));
}

TEST(AppDelegateSpaceSwitching, aMissingOrVanishedLastSpaceBeeps) {
    const std::optional<AppDelegate::LastSpaceReference> references[] = {
        std::nullopt, AppDelegate::LastSpaceReference{"UUID-A", 999},
        AppDelegate::LastSpaceReference{"UUID-GONE", 101}};
    for (const auto& reference : references) {
        SwitchingWorld world;
        world.delegate->lastSpaceReference = reference;
        world.delegate->performSpaceLastSpace();
        world.settle();
        EXPECT_EQ(world.beeps(), 1);
        EXPECT_EQ(world.gestures(), 0u);
        EXPECT_EQ(world.current(), 101u);
    }
}

// ---------------------------------------------------------------- Refusals

TEST(AppDelegateSpaceSwitching, withoutTrustEveryRequestOpensTheHealthWindow) {
    SwitchingWorld world;
    world.host.system().setProcessTrusted(false);
    world.delegate->lastSpaceReference = AppDelegate::LastSpaceReference{"UUID-A", 104};

    world.delegate->performSpaceSwitch(kRight);
    world.delegate->performSpaceSwitchToIndex(3);
    world.delegate->performSpaceLastSpace();
    world.settle();

    EXPECT_EQ(world.seams.healthWindow->presented,
              std::vector<HealthWindowMode>(3, HealthWindowMode::setup));
    EXPECT_EQ(world.beeps(), 0);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_FALSE(world.delegate->tessarinCoreInitialized);
}

TEST(AppDelegateSpaceSwitching, withoutTheBridgeARequestBeeps) {
    testing::internal::CaptureStdout();
    SwitchingWorld world(fakes::switchingScenario(), [] { return false; });
    world.delegate->performSpaceSwitch(kRight);
    world.settle();
    const std::string printed = testing::internal::GetCapturedStdout();

    EXPECT_EQ(world.beeps(), 1);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_TRUE(world.seams.healthWindow->presented.empty());
    EXPECT_NE(printed.find("Failed to initialize TessarinCore event tap"), std::string::npos);
}

TEST(AppDelegateSpaceSwitching, theBridgeIsInitialisedOnceOnTheFirstRequest) {
    int initialisations = 0;
    SwitchingWorld world(fakes::switchingScenario(), [&] {
        ++initialisations;
        return tessarin_init();
    });
    EXPECT_TRUE(world.delegate->guardSpaceControlAccess());
    EXPECT_TRUE(world.delegate->guardSpaceControlAccess());
    EXPECT_EQ(initialisations, 1);
}

// ---------------------------------------------------------------- Focus

TEST(AppDelegateSpaceSwitching, aWindowlessTargetTakesTheNeutralApplication) {
    SwitchingWorld world;
    world.seams.windowPreviews->windowless = {{"UUID-A", 102}};
    world.delegate->performSpaceSwitch(kRight);
    EXPECT_EQ(world.host.system().frontmostApplication()->processIdentifier,
              fakes::kNeutralApplicationPID);
}

TEST(AppDelegateSpaceSwitching, aSpaceFoundToHaveWindowsKeepsTheFocus) {
    SwitchingWorld world;
    world.seams.windowPreviews->windowless = {{"UUID-A", 102}};
    world.seams.windowPreviews->windowedAfterRefresh = {{"UUID-A", 102}};
    world.delegate->performSpaceSwitch(kRight);
    EXPECT_EQ(world.host.system().frontmostApplication()->processIdentifier, fakes::kEditorPID);
    EXPECT_EQ(world.seams.windowPreviews->calls.back(), "isWindowlessSpace UUID-A 102");
}

// ---------------------------------------------------------------- Metrics

TEST(AppDelegateSpaceSwitching, aTracedSwitchMarksItsSteps) {
    SwitchingWorld world;
    auto trace = std::make_shared<OSDPresentationMetricsTrace>();
    world.delegate->performSpaceSwitch(kDown, std::nullopt, std::nullopt, trace);
    const auto& metrics = *world.seams.metrics;
    EXPECT_EQ(metrics.steps(),
              (std::vector<std::string>{"space.switch.started", "space.switch.resolved",
                                        "space.switch.posted"}));
    const auto posted = metrics.fieldsOf("space.switch.posted");
    EXPECT_EQ(posted.at("success"), "true");
    EXPECT_EQ(posted.at("targetVisualIndex"), "3");
    EXPECT_EQ(posted.at("systemTargetIndex"), "3");
    EXPECT_EQ(metrics.fieldsOf("space.switch.started").at("explicitDisplay"), "nil");
    const auto resolved = metrics.fieldsOf("space.switch.resolved");
    EXPECT_EQ(resolved.at("placementDisplay"), "UUID-A");
    EXPECT_EQ(resolved.at("settingsDisplay"), "UUID-A");
    EXPECT_EQ(resolved.at("spaceCount"), "8");
    for (const char* duration :
         {"placementMs", "topologyMs", "infoMs", "snapshotMs", "resolveMs"}) {
        EXPECT_EQ(resolved.count(duration), 1u) << duration;
    }
    EXPECT_TRUE(world.seams.presentation->showOSDCalls.at(0).hadTrace);
}

TEST(AppDelegateSpaceSwitching, anUntracedSwitchMarksNothing) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(kDown);
    EXPECT_TRUE(world.seams.metrics->marks.empty());
}

TEST(AppDelegateSpaceSwitching, aTracedBlockedMoveSaysWhy) {
    SwitchingWorld world;
    auto trace = std::make_shared<OSDPresentationMetricsTrace>();
    world.delegate->performSpaceSwitch(kLeft, std::nullopt, std::nullopt, trace);
    EXPECT_EQ(world.seams.metrics->fieldsOf("space.switch.aborted").at("reason"), "blocked");
}

} // namespace
} // namespace tessarin
