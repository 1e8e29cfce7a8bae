#include "Core/Switching/GridOSDPreviewSession.h"

#include "Model/Spaces/DisplaySpaceSlotTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

using Resolution = DeferredSpaceSwitchCommitResolution;
using Slot = DisplaySpaceSlot;
using testing::P;
using testing::Pin;
using testing::R;

OSDGridModel gridModel(int64_t count, int64_t columns = 3) {
    return *OSDGridModel::make({.spaceCount = count, .activeIndex = 0, .columnCount = columns});
}

// Real Spaces 101, 102, ... in system order, laid out visually as given.
DisplaySpaceOrderSnapshot snapshot(std::vector<Slot> layoutSlots, SpaceID active,
                                   std::vector<SpaceID> systemOrder = {}) {
    if (systemOrder.empty()) {
        for (const Slot& slot : layoutSlots) {
            if (slot.isReal()) {
                systemOrder.push_back(slot.spaceID);
            }
        }
    }
    return DisplaySpaceOrderSnapshot::make("display-A", systemOrder, std::move(layoutSlots),
                                           active);
}

std::vector<Slot> realSlots(int count) {
    std::vector<Slot> layoutSlots;
    for (int i = 0; i < count; ++i) {
        layoutSlots.push_back(R(101 + static_cast<SpaceID>(i)));
    }
    return layoutSlots;
}

GridOSDPreviewSession session(DisplaySpaceOrderSnapshot displaySnapshot, int64_t selected,
                              int64_t columns = 3) {
    const auto count = static_cast<int64_t>(displaySnapshot.visualSlots.size());
    auto made = GridOSDPreviewSession::make(GridOSDPreviewSessionMode::picker(), "display-A",
                                            "display-A", "display-A", std::move(displaySnapshot),
                                            gridModel(count, columns), selected);
    EXPECT_TRUE(made);
    return *made;
}

// A few moves through the session; the wrap and edge rules are the resolver's own.
// clang-format off
struct MoveCase { const char* name; int64_t from; TessarinDirection direction; bool blocks;
                 GridWrapStyle style; std::optional<int64_t> expected; };
// clang-format on

// Cases are listed by their row's name, not as the row's bytes.
void PrintTo(const MoveCase& row, std::ostream* os) {
    *os << row.name;
}

class GridOSDPreviewSessionSevenInThree : public ::testing::TestWithParam<MoveCase> {};

TEST_P(GridOSDPreviewSessionSevenInThree, Moves) {
    const MoveCase& c = GetParam();
    auto preview = session(snapshot(realSlots(7), 101), c.from);
    const auto before = preview;
    const auto result = preview.attemptDirectionalMove(c.direction, 3, c.blocks, c.style);
    EXPECT_EQ(result, c.expected ? GridOSDPreviewDirectionalMoveResult::moved(c.from)
                                 : GridOSDPreviewDirectionalMoveResult::unchanged());
    EXPECT_EQ(preview.selectedVisualIndex, c.expected.value_or(c.from));
    EXPECT_EQ(preview.selectedSpaceID, 101 + c.expected.value_or(c.from));
    if (!c.expected) {
        EXPECT_EQ(preview, before) << "a refused move leaves every field as it was";
    }
}

constexpr TessarinDirection kRight = TessarinDirectionRight;
constexpr TessarinDirection kDown = TessarinDirectionDown;
constexpr GridWrapStyle kSnake = GridWrapStyle::snake;

INSTANTIATE_TEST_SUITE_P(
    Rules, GridOSDPreviewSessionSevenInThree,
    ::testing::Values(MoveCase{"snakeRightAcrossRow", 2, kRight, false, kSnake, 3},
                      MoveCase{"downWrapsColumnToTop", 5, kDown, false, kSnake, 2},
                      MoveCase{"pacManRightWithinRow", 2, kRight, false, GridWrapStyle::pacMan, 0},
                      MoveCase{"blockedRight", 2, kRight, true, kSnake, std::nullopt},
                      MoveCase{"unknownDirection", 4, 7, false, kSnake, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridOSDPreviewSessionTest, MoveOntoPlaceholderSelectsItWithoutSpace) {
    auto preview = session(snapshot({R(101), P, R(102)}, 101), 0);
    ASSERT_TRUE(preview.move(TessarinDirectionRight, 3, false, GridWrapStyle::snake));
    EXPECT_EQ(preview.selectedVisualIndex, 1);
    EXPECT_EQ(preview.selectedSlot, P);
    EXPECT_FALSE(preview.selectedSpaceID);
    EXPECT_FALSE(preview.fallbackSystemIndex);
    // A placeholder still moves on from where it sits.
    ASSERT_TRUE(preview.move(TessarinDirectionRight, 3, false, GridWrapStyle::snake));
    EXPECT_EQ(preview.selectedSpaceID, 102u);
    EXPECT_EQ(preview.fallbackSystemIndex, 1);
}

TEST(GridOSDPreviewSessionTest, MakeSelectsTheSlotWithItsSystemIndexAsFallback) {
    // clang-format off
    struct Case { const char* name; std::vector<Slot> layout; std::vector<SpaceID> system;
                  int64_t selected; std::optional<int64_t> fallback; };
    const Case cases[] = {
        {"in system order", realSlots(4), {}, 2, 2},
        {"the system index, not the visual one", {R(102), R(101)}, {101, 102}, 0, 1},
        // Space 103 is laid out but the window server no longer lists it.
        {"missing from the system order", realSlots(3), {101, 102}, 2, std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto made = session(snapshot(c.layout, 101, c.system), c.selected);
        EXPECT_EQ(made.selectedVisualIndex, c.selected);
        EXPECT_EQ(made.selectedSlot, c.layout[static_cast<std::size_t>(c.selected)]);
        EXPECT_EQ(made.selectedSpaceID, c.layout[static_cast<std::size_t>(c.selected)].spaceID);
        EXPECT_EQ(made.fallbackSystemIndex, c.fallback);
    }
    EXPECT_FALSE(GridOSDPreviewSession::make(GridOSDPreviewSessionMode::picker(), {}, {}, {},
                                             snapshot(realSlots(4), 101), gridModel(4), 4));
    EXPECT_FALSE(GridOSDPreviewSession::make(GridOSDPreviewSessionMode::picker(), {}, {}, {},
                                             snapshot({}, 0), gridModel(1), 0));
}

TEST(GridOSDPreviewSessionTest, Jumps) {
    auto preview = session(snapshot(realSlots(6), 101), 1);
    EXPECT_TRUE(preview.jump(99));
    EXPECT_EQ(preview.selectedVisualIndex, 5);
    EXPECT_EQ(preview.selectedSpaceID, 106u);

    EXPECT_TRUE(preview.jump(0));
    EXPECT_EQ(preview.selectedVisualIndex, 0);

    const auto before = preview;
    EXPECT_FALSE(preview.jump(-1));
    EXPECT_EQ(preview, before);

    EXPECT_TRUE(preview.jump(0)) << "selecting the selected cell still answers true";
}

TEST(GridOSDPreviewSessionTest, ReconcileRefusesAModelOfAnotherSize) {
    auto preview = session(snapshot(realSlots(4), 101), 2);
    const auto before = preview;
    EXPECT_FALSE(preview.reconcile(snapshot(realSlots(5), 101), gridModel(4)));
    EXPECT_EQ(preview, before);
}

TEST(GridOSDPreviewSessionTest, ReconcileFollowsTheSelectedSpaceWhenSpacesAppear) {
    auto preview = session(snapshot(realSlots(4), 101), 2); // Space 103
    std::vector<Slot> grown{R(201), R(101), R(102), R(202), R(103), R(104)};
    const auto fresh = snapshot(grown, 101);
    ASSERT_TRUE(preview.reconcile(fresh, gridModel(6)));
    EXPECT_EQ(preview.selectedVisualIndex, 4);
    EXPECT_EQ(preview.selectedSpaceID, 103u);
    EXPECT_EQ(preview.fallbackSystemIndex, 4);
    EXPECT_EQ(preview.displaySnapshot, fresh);
    EXPECT_EQ(preview.baseModel, gridModel(6));
}

TEST(GridOSDPreviewSessionTest, ReconcileAfterSelectedSpaceVanishedKeepsTheIndexIfItFits) {
    auto preview = session(snapshot(realSlots(5), 101), 3); // Space 104
    std::vector<Slot> shrunk{R(101), R(102), R(103), R(105)};
    ASSERT_TRUE(preview.reconcile(snapshot(shrunk, 101), gridModel(4)));
    EXPECT_EQ(preview.selectedVisualIndex, 3);
    EXPECT_EQ(preview.selectedSpaceID, 105u) << "the selection describes the slot it now holds";
    EXPECT_EQ(preview.fallbackSystemIndex, 3);
    // With the index past the end too, the active Space is taken.
    auto last = session(snapshot(realSlots(6), 101), 5); // Space 106
    ASSERT_TRUE(last.reconcile(snapshot(realSlots(3), 102), gridModel(3)));
    EXPECT_EQ(last.selectedVisualIndex, 1);
    EXPECT_EQ(last.selectedSpaceID, 102u);
}

TEST(GridOSDPreviewSessionTest, ReconcileFindsASelectedPlaceholderBySlot) {
    auto preview = session(snapshot({R(101), R(102), Pin}, 101), 2);
    const auto fresh = snapshot({Pin, R(101), P, R(102)}, 101);
    ASSERT_TRUE(preview.reconcile(fresh, gridModel(4)));
    EXPECT_EQ(preview.selectedVisualIndex, 0);
    EXPECT_EQ(preview.selectedSlot, Pin);
}

// clang-format off
struct CommitCase { const char* name; std::vector<Slot> layoutSlots; int64_t selected;
                   std::optional<SpaceID> current; std::optional<DisplaySpaceOrderSnapshot> latest; Resolution expected; };
// clang-format on

void PrintTo(const CommitCase& row, std::ostream* os) {
    *os << row.name;
}

class GridOSDPreviewSessionCommit : public ::testing::TestWithParam<CommitCase> {};

TEST_P(GridOSDPreviewSessionCommit, Resolves) {
    const CommitCase& c = GetParam();
    const auto preview = session(snapshot(c.layoutSlots, 101), c.selected);
    EXPECT_EQ(preview.commitResolution(c.current, c.latest), c.expected);
}

const std::vector<Slot> fourSpaces = realSlots(4);

DisplaySpaceOrderSnapshot withReplacement(std::vector<Slot> layoutSlots,
                                          std::map<SpaceID, SpaceID> replacements) {
    std::vector<SpaceID> system;
    for (const Slot& slot : layoutSlots) {
        system.push_back(slot.spaceID);
    }
    return DisplaySpaceOrderSnapshot::make("display-A", system, std::move(layoutSlots), 101,
                                           std::move(replacements));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridOSDPreviewSessionCommit,
    // clang-format off
    ::testing::Values(
        CommitCase{"placeholderSelected", {R(101), P}, 1, 101, std::nullopt, Resolution::noTarget()},
        CommitCase{"alreadyCurrentWithoutSnapshot", fourSpaces, 2, 103, std::nullopt, Resolution::alreadyCurrent()},
        CommitCase{"latestSnapshotWins", fourSpaces, 2, 101,
            snapshot(fourSpaces, 101, {103, 101, 102, 104}), Resolution::switchToSystemIndex(0)},
        CommitCase{"noLatestSnapshotFallsBack", fourSpaces, 2, 101, std::nullopt, Resolution::switchToSystemIndex(2)},
        CommitCase{"noCurrentSpaceKnown", fourSpaces, 1, std::nullopt, std::nullopt, Resolution::switchToSystemIndex(1)},
        // The selected Space was removed while the preview was open: another Space now sits at
        // its old system index, and switching there would surprise the user.
        CommitCase{"selectedSpaceRemoved", fourSpaces, 2, 101, snapshot({R(101), R(102), R(104)}, 101), Resolution::noTarget()},
        CommitCase{"renumberedSpaceFollowed", fourSpaces, 2, 101,
            withReplacement({R(101), R(102), R(104), R(303)}, {{103, 303}}), Resolution::switchToSystemIndex(3)},
        CommitCase{"renumberedSpaceIsCurrent", fourSpaces, 2, 303,
            withReplacement({R(101), R(303)}, {{103, 303}}), Resolution::alreadyCurrent()}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridOSDPreviewSessionTest, NoFallbackIndexMeansNoTarget) {
    const auto preview = session(snapshot(realSlots(3), 101, {101, 102}), 2);
    EXPECT_EQ(preview.commitResolution(101, std::nullopt), Resolution::noTarget());
}

} // namespace
} // namespace tessarin
