#include "Core/Fakes/SwitchingWorld.h"
#include "Core/Settings/DisplaySettingsScope.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::SwitchingWorld;

constexpr TessarinDirection kLeft = TessarinDirectionLeft;
constexpr TessarinDirection kRight = TessarinDirectionRight;
constexpr TessarinDirection kDown = TessarinDirectionDown;
const std::vector<SpaceID> kSystemA{101, 102, 103, 104, 105, 106, 107, 108};

// A few moves through the engine on display A (101 to 108 in rows of three); the wrap rules
// themselves are the resolver's.
TEST(AppDelegateSpaceSwitching, neighbourMovesSwitchOrShowWhereTheUserStays) {
    struct Case {
        const char* name;
        SpaceID start;
        TessarinDirection direction;
        bool blocks;
        GridWrapStyle wrap;
        std::optional<SpaceID> expected; // none: blocked
    };
    const Case cases[] = {
        {"right inside a row", 101, kRight, true, GridWrapStyle::snake, 102},
        {"down a row", 102, kDown, true, GridWrapStyle::snake, 105},
        {"right at the row end, blocking", 103, kRight, true, GridWrapStyle::snake, std::nullopt},
        {"right at the row end, snake", 103, kRight, false, GridWrapStyle::snake, 104},
        {"left at the row start, pac-man", 104, kLeft, false, GridWrapStyle::pacMan, 106},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwitchingWorld world(fakes::switchingScenario(c.start));
        GridModeStore& grid = world.delegate->gridModeStore;
        grid.setBlocksAtEdges(c.blocks, DisplaySettingsScope::global());
        grid.setWrapStyle(c.wrap, DisplaySettingsScope::global());
        auto trace = std::make_shared<OSDPresentationMetricsTrace>();

        world.delegate->performSpaceSwitch(c.direction, std::nullopt, std::nullopt, trace);
        world.settle();

        const auto& shows = world.seams.presentation->showOSDCalls;
        ASSERT_EQ(shows.size(), 1u);
        EXPECT_EQ(world.current(), c.expected.value_or(c.start));
        EXPECT_EQ(shows[0].targetIndex, c.expected.value_or(c.start) - 101);
        EXPECT_EQ(shows[0].spaceCount, std::optional<uint32_t>(8));
        EXPECT_EQ(world.beeps(), 0);
        if (c.expected) {
            EXPECT_EQ(shows[0].sourceIndex, std::optional<uint32_t>(c.start - 101));
            EXPECT_EQ(shows[0].direction, std::optional(c.direction));
            EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
        } else {
            EXPECT_EQ(world.gestures(), 0u);
            EXPECT_EQ(shows[0].sourceIndex, std::nullopt);
            EXPECT_EQ(world.seams.metrics->fieldsOf("space.switch.aborted").at("reason"),
                      "blocked");
        }
    }
}

TEST(AppDelegateSpaceSwitching, withGridModeOffOnlyHorizontalMovesSwitch) {
    SwitchingWorld world(fakes::switchingScenario(103));
    world.host.preferences().setAppValue(GridModeStore::gridModeEnabledKey, PropertyValue(false),
                                         world.delegate->gridModeStore.domain());
    world.queue.runUntilIdle();
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
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        4, 1, OSDGridRearrangementBehavior::swap, "UUID-A", kSystemA, 101, false, 8, 0));
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
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        1, 9, OSDGridRearrangementBehavior::swap, "UUID-A", kSystemA, 101, true, 12, 0));
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
    EXPECT_EQ(world.delegate->spaceDisplayIdentifier(std::nullopt), std::nullopt);
    world.delegate->performSpaceSwitch(kRight, std::string("UUID-B"));
    world.settle();
    EXPECT_EQ(world.current("UUID-B"), 202u);
    EXPECT_EQ(world.current("UUID-A"), 101u);
    ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
    EXPECT_EQ(world.seams.presentation->showOSDCalls[0].displayIdentifier, "UUID-B");
}

TEST(AppDelegateSpaceSwitching, sharedSpacesSwitchTheSharedList) {
    SwitchingWorld world(fakes::sharedSwitchingScenario());
    EXPECT_EQ(world.delegate->spaceDisplayIdentifier(std::string("UUID-B")), "Main");
    world.delegate->performSpaceSwitch(kRight, std::string("UUID-B"));
    world.settle();
    EXPECT_EQ(world.current("Main"), 2u);
}

// ---------------------------------------------------------------- Direct jumps

TEST(AppDelegateSpaceSwitching, directJumpsTakeTheCellOrTheLastSpace) {
    struct Case {
        uint32_t index;
        SpaceID expected;
    };
    // The display shows Space 104; indexes past its 8 Spaces take the last one.
    const Case cases[] = {{0, 101}, {3, 104}, {7, 108}, {9, 108}, {UINT32_MAX, 108}};
    for (const Case& c : cases) {
        SCOPED_TRACE("index " + std::to_string(c.index));
        SwitchingWorld world(fakes::switchingScenario(104));
        world.delegate->performSpaceSwitchToIndex(c.index);
        world.settle();
        EXPECT_EQ(world.current(), c.expected);
        EXPECT_EQ(world.beeps(), 0);
        ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
        const auto& shown = world.seams.presentation->showOSDCalls[0];
        EXPECT_EQ(shown.targetIndex, c.expected - 101);
        // The Space already shown: nothing posted, nothing to verify, only the OSD.
        const bool alreadyThere = c.expected == 104;
        EXPECT_EQ(world.seams.osdWindow->suspendCount, alreadyThere ? 0 : 1);
        EXPECT_EQ(world.delegate->spaceSwitchVerificationGenerations.generation("UUID-A"),
                  alreadyThere ? 0u : 1u);
        EXPECT_EQ(shown.sourceIndex, alreadyThere ? std::nullopt : std::optional<uint32_t>(3));
    }
}

TEST(AppDelegateSpaceSwitching, aDirectJumpIntoAPlaceholderPostsNothing) {
    SwitchingWorld world;
    world.delegate->gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::global());
    // Space 108 moved to the tenth cell leaves cells 8 and 9 (indexes 7 and 8) empty.
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        7, 9, OSDGridRearrangementBehavior::swap, "UUID-A", kSystemA, 101, true, 12, 0));
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

TEST(AppDelegateSpaceSwitching, theLastSpaceIsSwitchedBackToOnItsOwnDisplay) {
    // The pointer stays on display A; the OSD follows the Space's display.
    const AppDelegate::LastSpaceReference references[] = {{"UUID-A", 106}, {"UUID-B", 203}};
    for (const auto& reference : references) {
        SCOPED_TRACE(reference.displayIdentifier);
        SwitchingWorld world;
        world.delegate->lastSpaceReference = reference;
        world.delegate->performSpaceLastSpace();
        world.settle();
        EXPECT_EQ(world.current(reference.displayIdentifier), reference.spaceID);
        ASSERT_EQ(world.seams.presentation->showOSDCalls.size(), 1u);
        const auto& shown = world.seams.presentation->showOSDCalls[0];
        EXPECT_EQ(shown.targetIndex, reference.spaceID % 100 - 1);
        EXPECT_EQ(shown.displayIdentifier, reference.displayIdentifier);
    }
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
    ::testing::internal::CaptureStdout();
    SwitchingWorld world(fakes::switchingScenario(), [] { return false; });
    world.delegate->performSpaceSwitch(kRight);
    world.settle();
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(world.beeps(), 1);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_TRUE(world.seams.healthWindow->presented.empty());
    EXPECT_NE(printed.find("Failed to initialize TessarinCore event tap"), std::string::npos);
}

// ---------------------------------------------------------------- Focus

TEST(AppDelegateSpaceSwitching, onlyAWindowlessTargetHandsFocusToTheNeutralApplication) {
    for (const bool windowedAfterRefresh : {false, true}) {
        SwitchingWorld world;
        world.seams.windowPreviews->windowless = {{"UUID-A", 102}};
        if (windowedAfterRefresh) {
            world.seams.windowPreviews->windowedAfterRefresh = {{"UUID-A", 102}};
        }
        world.delegate->performSpaceSwitch(kRight);
        ASSERT_TRUE(world.host.system().frontmostApplication());
        EXPECT_EQ(world.host.system().frontmostApplication()->processIdentifier,
                  windowedAfterRefresh ? fakes::kEditorPID : fakes::kNeutralApplicationPID);
    }
}

// ---------------------------------------------------------------- Metrics

TEST(AppDelegateSpaceSwitching, aTracedSwitchMarksItsStepsAndAnUntracedOneNothing) {
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(kDown);
    EXPECT_TRUE(world.seams.metrics->marks.empty());

    auto trace = std::make_shared<OSDPresentationMetricsTrace>();
    world.delegate->performSpaceSwitch(kDown, std::nullopt, std::nullopt, trace);
    const auto& metrics = *world.seams.metrics;
    EXPECT_EQ(metrics.steps(),
              (std::vector<std::string>{"space.switch.started", "space.switch.resolved",
                                        "space.switch.posted"}));
    const auto posted = metrics.fieldsOf("space.switch.posted");
    EXPECT_EQ(posted.at("success"), "true");
    EXPECT_EQ(posted.at("targetVisualIndex"), "6");
    EXPECT_EQ(posted.at("systemTargetIndex"), "6");
    const auto resolved = metrics.fieldsOf("space.switch.resolved");
    EXPECT_EQ(resolved.at("placementDisplay"), "UUID-A");
    EXPECT_EQ(resolved.at("spaceCount"), "8");
    EXPECT_TRUE(world.seams.presentation->showOSDCalls.at(1).hadTrace);
}

} // namespace
} // namespace tessarin
