#include "Core/Fakes/EngineWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::switchingScenario;
using fakes::World;

constexpr TessarinDirection kLeft = TessarinDirectionLeft;
constexpr TessarinDirection kRight = TessarinDirectionRight;
constexpr TessarinDirection kDown = TessarinDirectionDown;
const std::vector<SpaceID> kSystemA{101, 102, 103, 104, 105, 106, 107, 108};
const auto kGlobal = DisplaySettingsScope::global();

// Moves the Space of cell `from` of display A to cell `to` (swapping).
void arrange(World& world, int from, int to, bool placeholders, int limit) {
    ASSERT_TRUE(
        world.d().spaceOrderStore.moveVisualOrder(from, to, OSDGridRearrangementBehavior::swap,
                                                  "UUID-A", kSystemA, 101, placeholders, limit, 0));
}

// Moves through the engine on display A (101 to 108, in rows of three unless set otherwise);
// the wrap rules themselves are the resolver's.
TEST(AppDelegateSpaceSwitching, neighbourMovesSwitchOrShowWhereTheUserStays) {
    constexpr auto kSnake = GridWrapStyle::snake;
    constexpr auto kThree = GridColumnCount::three;
    using Override = std::optional<std::pair<const char*, GridColumnCount>>;
    // clang-format off
    struct Case { const char* name; SpaceID start; TessarinDirection direction; bool blocks; GridWrapStyle wrap;
                  std::optional<SpaceID> expected; GridColumnCount columns = kThree; Override displayColumns = std::nullopt; };
    const Case cases[] = { // expected none: blocked
        {"right inside a row", 101, kRight, true, kSnake, 102},
        {"down a row", 102, kDown, true, kSnake, 105},
        {"right at the row end, blocking", 103, kRight, true, kSnake, std::nullopt},
        {"right at the row end, snake", 103, kRight, false, kSnake, 104},
        {"left at the row start, pac-man", 104, kLeft, false, GridWrapStyle::pacMan, 106},
        {"four columns, down", 101, kDown, true, kSnake, 105, GridColumnCount::four},
        {"two columns, down", 101, kDown, true, kSnake, 103, GridColumnCount::two},
        {"two columns, right at the row end", 102, kRight, true, kSnake, {}, GridColumnCount::two},
        {"the display's four beats global two", 101, kDown, true, kSnake, 105, GridColumnCount::two,
         Override{{"UUID-A", GridColumnCount::four}}},
        {"another display's four leaves global two", 101, kDown, true, kSnake, 103,
         GridColumnCount::two, Override{{"UUID-B", GridColumnCount::four}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World world(switchingScenario(c.start));
        world.grid().setBlocksAtEdges(c.blocks, kGlobal);
        world.grid().setWrapStyle(c.wrap, kGlobal);
        world.grid().setColumnCount(c.columns, kGlobal);
        if (c.displayColumns) {
            world.grid().setColumnCount(c.displayColumns->second,
                                        DisplaySettingsScope::display(c.displayColumns->first));
        }
        world.d().performSpaceSwitch(c.direction, std::nullopt, std::nullopt,
                                     std::make_shared<OSDPresentationMetricsTrace>());
        world.settle();

        ASSERT_EQ(world.shows().size(), 1u);
        const auto& shown = world.shows()[0];
        EXPECT_EQ(world.current(), c.expected.value_or(c.start));
        EXPECT_EQ(shown.targetIndex, c.expected.value_or(c.start) - 101);
        EXPECT_EQ(world.beeps(), 0) << "not even at a blocking edge";
        EXPECT_EQ(shown.sourceIndex,
                  c.expected ? std::optional<uint32_t>(c.start - 101) : std::nullopt);
        EXPECT_EQ(shown.direction, c.expected ? std::optional(c.direction) : std::nullopt);
        EXPECT_EQ(world.seams.osdWindow->suspendCount, c.expected ? 1 : 0);
        EXPECT_EQ(world.abortReason(), c.expected ? "" : "blocked");
    }
}

TEST(AppDelegateSpaceSwitching, withGridModeOffOnlyHorizontalMovesSwitch) {
    World world(switchingScenario(103));
    world.host.preferences().setAppValue(GridModeStore::gridModeEnabledKey, PropertyValue(false),
                                         world.grid().domain());
    world.queue.runUntilIdle();
    world.grid().setBlocksAtEdges(true, kGlobal);
    world.d().performSpaceSwitch(kDown);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
    // One row: the end of a grid row is no edge.
    world.d().performSpaceSwitch(kRight);
    world.settle();
    EXPECT_EQ(world.current(), 104u);
}

TEST(AppDelegateSpaceSwitching, aMoveFollowsTheUsersLayoutNotTheSystemOrder) {
    World world;
    arrange(world, 4, 1, false, 8); // Space 105 in the second cell
    world.d().performSpaceSwitch(kRight);
    world.settle();
    EXPECT_EQ(world.current(), 105u);
    ASSERT_EQ(world.shows().size(), 1u);
    EXPECT_EQ(world.shows()[0].targetIndex, 1u);
}

TEST(AppDelegateSpaceSwitching, aMoveOntoAnEmptyCellPostsNothing) {
    World world;
    world.grid().setUsePlaceholders(true, kGlobal);
    arrange(world, 1, 9, true, 12); // the second cell left empty
    world.d().performSpaceSwitch(kRight, std::nullopt, std::nullopt,
                                 std::make_shared<OSDPresentationMetricsTrace>());
    world.settle();
    EXPECT_EQ(world.current(), 101u);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_EQ(world.abortReason(), "placeholder-target");
    ASSERT_EQ(world.shows().size(), 1u);
    EXPECT_EQ(world.shows()[0].targetIndex, 0u);
    EXPECT_EQ(world.shows()[0].spaceCount, std::optional<uint32_t>(10))
        << "the cells, not the Spaces";
}

TEST(AppDelegateSpaceSwitching, quickPressesMoveOnFromThePredictedSpace) {
    World world;
    world.d().performSpaceSwitch(kRight);
    world.queue.advance(0.05);
    world.d().performSpaceSwitch(kRight);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateSpaceSwitching, anExplicitDisplaySwitchesOnlyThatDisplaysList) {
    World world;
    EXPECT_EQ(world.d().spaceDisplayIdentifier(std::nullopt), std::nullopt);
    world.d().performSpaceSwitch(kRight, std::string("UUID-B"));
    world.settle();
    EXPECT_EQ(world.current("UUID-B"), 202u);
    EXPECT_EQ(world.current("UUID-A"), 101u);
    ASSERT_EQ(world.shows().size(), 1u);
    EXPECT_EQ(world.shows()[0].displayIdentifier, "UUID-B");

    World shared(switchingScenario(101, true));
    EXPECT_EQ(shared.d().spaceDisplayIdentifier(std::string("UUID-B")), "Main");
    shared.d().performSpaceSwitch(kRight, std::string("UUID-B"));
    shared.settle();
    EXPECT_EQ(shared.current("Main"), 2u);
}

TEST(AppDelegateSpaceSwitching, directJumpsTakeTheCellOrTheLastSpace) {
    // The display shows Space 104; indexes past its 8 Spaces take the last one.
    const std::pair<uint32_t, SpaceID> cases[] = {
        {0, 101}, {3, 104}, {7, 108}, {9, 108}, {UINT32_MAX, 108}};
    for (const auto& [index, expected] : cases) {
        SCOPED_TRACE("index " + std::to_string(index));
        World world(switchingScenario(104));
        world.d().performSpaceSwitchToIndex(index);
        world.settle();
        EXPECT_EQ(world.current(), expected);
        EXPECT_EQ(world.beeps(), 0);
        ASSERT_EQ(world.shows().size(), 1u);
        EXPECT_EQ(world.shows()[0].targetIndex, expected - 101);
        // The Space already shown: nothing posted, nothing to verify, only the OSD.
        const bool alreadyThere = expected == 104;
        EXPECT_EQ(world.seams.osdWindow->suspendCount, alreadyThere ? 0 : 1);
        EXPECT_EQ(world.d().spaceSwitchVerificationGenerations.generation("UUID-A"),
                  alreadyThere ? 0u : 1u);
        EXPECT_EQ(world.shows()[0].sourceIndex,
                  alreadyThere ? std::nullopt : std::optional<uint32_t>(3));
    }
}

TEST(AppDelegateSpaceSwitching, aDirectJumpIntoAPlaceholderPostsNothing) {
    World world;
    world.grid().setUsePlaceholders(true, kGlobal);
    arrange(world, 7, 9, true, 12); // cells 8 and 9 (indexes 7 and 8) left empty
    world.d().performSpaceSwitchToIndex(7);
    world.settle();
    EXPECT_EQ(world.current(), 101u);
    EXPECT_EQ(world.gestures(), 0u);
    ASSERT_EQ(world.shows().size(), 1u);
    EXPECT_EQ(world.shows()[0].targetIndex, 7u);
    // The tenth cell holds Space 108, the eighth of the system's order.
    world.d().performSpaceSwitchToIndex(9);
    world.settle();
    EXPECT_EQ(world.current(), 108u);
}

TEST(AppDelegateSpaceSwitching, aDirectJumpCanHideTheOSD) {
    World world;
    world.grid().setHideOSDOnDirectJump(true, kGlobal);
    world.d().performSpaceSwitchToIndex(2);
    world.settle();
    EXPECT_EQ(world.current(), 103u);
    EXPECT_TRUE(world.shows().empty());
}

TEST(AppDelegateSpaceSwitching, theLastSpaceIsSwitchedBackToOnItsOwnDisplay) {
    // The pointer stays on display A; the OSD follows the Space's display.
    const AppDelegate::LastSpaceReference references[] = {{"UUID-A", 106}, {"UUID-B", 203}};
    for (const auto& reference : references) {
        SCOPED_TRACE(reference.displayIdentifier);
        World world;
        world.d().lastSpaceReference = reference;
        world.d().performSpaceLastSpace();
        world.settle();
        EXPECT_EQ(world.current(reference.displayIdentifier), reference.spaceID);
        ASSERT_EQ(world.shows().size(), 1u);
        EXPECT_EQ(world.shows()[0].targetIndex, reference.spaceID % 100 - 1);
        EXPECT_EQ(world.shows()[0].displayIdentifier, reference.displayIdentifier);
    }
}

TEST(AppDelegateSpaceSwitching, aMissingOrVanishedLastSpaceBeeps) {
    const std::optional<AppDelegate::LastSpaceReference> references[] = {
        std::nullopt, AppDelegate::LastSpaceReference{"UUID-A", 999},
        AppDelegate::LastSpaceReference{"UUID-GONE", 101}};
    for (const auto& reference : references) {
        World world;
        world.d().lastSpaceReference = reference;
        world.d().performSpaceLastSpace();
        world.settle();
        EXPECT_EQ(world.beeps(), 1);
        EXPECT_EQ(world.gestures(), 0u);
    }
}

TEST(AppDelegateSpaceSwitching, withoutTrustEveryRequestOpensTheHealthWindow) {
    World world;
    world.host.system().setProcessTrusted(false);
    world.d().lastSpaceReference = AppDelegate::LastSpaceReference{"UUID-A", 104};
    world.d().performSpaceSwitch(kRight);
    world.d().performSpaceSwitchToIndex(3);
    world.d().performSpaceLastSpace();
    world.settle();
    EXPECT_EQ(world.seams.healthWindow->presented,
              std::vector<TessarinHealthCheckPresentationMode>(
                  3, TessarinHealthCheckPresentationMode::setup));
    EXPECT_EQ(world.beeps(), 0);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_FALSE(world.d().tessarinCoreInitialized);
}

TEST(AppDelegateSpaceSwitching, aBridgeThatFailsToStartBeepsAndIsTriedAgainNextTime) {
    ::testing::internal::CaptureStdout();
    int attempts = 0;
    World world(switchingScenario(), [&](AppDelegateDependencies& dependencies) {
        dependencies.bridgeInitializer = [&] { return ++attempts > 1 && tessarin_init(); };
    });
    world.d().performSpaceSwitch(kRight);
    world.settle();
    EXPECT_EQ(world.beeps(), 1);
    EXPECT_EQ(world.gestures(), 0u);
    EXPECT_TRUE(world.seams.healthWindow->presented.empty());
    EXPECT_NE(::testing::internal::GetCapturedStdout().find(
                  "Failed to initialize TessarinCore event tap"),
              std::string::npos);
    EXPECT_TRUE(world.d().guardSpaceControlAccess());
    EXPECT_TRUE(world.d().guardSpaceControlAccess());
    EXPECT_EQ(attempts, 2) << "started once it worked";
}

TEST(AppDelegateSpaceSwitching, onlyAWindowlessTargetHandsFocusToTheNeutralApplication) {
    for (const bool windowedAfterRefresh : {false, true}) {
        World world;
        world.seams.windowPreviews->windowless = {{"UUID-A", 102}};
        if (windowedAfterRefresh) {
            world.seams.windowPreviews->windowedAfterRefresh = {{"UUID-A", 102}};
        }
        world.d().performSpaceSwitch(kRight);
        ASSERT_TRUE(world.host.system().frontmostApplication());
        EXPECT_EQ(world.host.system().frontmostApplication()->processIdentifier,
                  windowedAfterRefresh ? fakes::kEditorPID : fakes::kNeutralApplicationPID);
    }
}

TEST(AppDelegateSpaceSwitching, aTracedSwitchMarksItsStepsAndAnUntracedOneNothing) {
    World world;
    world.d().performSpaceSwitch(kDown);
    EXPECT_TRUE(world.seams.metrics->marks.empty());

    world.d().performSpaceSwitch(kDown, std::nullopt, std::nullopt,
                                 std::make_shared<OSDPresentationMetricsTrace>());
    const auto& metrics = *world.seams.metrics;
    EXPECT_EQ(metrics.steps(),
              (std::vector<std::string>{"space.switch.started", "space.switch.resolved",
                                        "space.switch.posted"}));
    const auto posted = metrics.fieldsOf("space.switch.posted");
    EXPECT_EQ(posted.at("targetVisualIndex"), "6");
    EXPECT_EQ(posted.at("systemTargetIndex"), "6");
    EXPECT_EQ(metrics.fieldsOf("space.switch.started").at("direction"), "down");
    EXPECT_EQ(metrics.fieldsOf("space.switch.resolved").at("spaceCount"), "8");
    EXPECT_TRUE(world.shows().at(1).hadTrace);
}

} // namespace
} // namespace tessarin
