#include "Core/Switching/GridOSDPreviewSession.h"

#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

using Resolution = DeferredSpaceSwitchCommitResolution;
using Slot = DisplaySpaceSlot;

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
        layoutSlots.push_back(Slot::realSpace(101 + static_cast<SpaceID>(i)));
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

// A few moves through the session over seven Spaces in rows of three; the wrap and edge rules
// are the resolver's own.
TEST(GridOSDPreviewSessionTest, MovesSelectTheNeighbourOrLeaveTheSessionAsItWas) {
    constexpr TessarinDirection kRight = TessarinDirectionRight;
    constexpr GridWrapStyle kSnake = GridWrapStyle::snake;
    struct Case {
        const char* name;
        int64_t from;
        TessarinDirection direction;
        bool blocks;
        GridWrapStyle style;
        std::optional<int64_t> expected;
    };
    const Case cases[] = {
        {"snake right across a row", 2, kRight, false, kSnake, 3},
        {"down wraps the column to the top", 5, TessarinDirectionDown, false, kSnake, 2},
        {"pac-man right within the row", 2, kRight, false, GridWrapStyle::pacMan, 0},
        {"blocked right", 2, kRight, true, kSnake, std::nullopt},
        {"unknown direction", 4, 7, false, kSnake, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = session(snapshot(realSlots(7), 101), c.from);
        auto preview = before;
        EXPECT_EQ(preview.attemptDirectionalMove(c.direction, 3, c.blocks, c.style),
                  c.expected ? GridOSDPreviewDirectionalMoveResult::moved(c.from)
                             : GridOSDPreviewDirectionalMoveResult::unchanged());
        EXPECT_EQ(preview.selectedVisualIndex, c.expected.value_or(c.from));
        EXPECT_EQ(preview.selectedSpaceID, 101 + c.expected.value_or(c.from));
        if (!c.expected) {
            EXPECT_EQ(preview, before);
        }
    }
}

TEST(GridOSDPreviewSessionTest, MoveOntoPlaceholderSelectsItWithoutSpace) {
    auto preview = session(
        snapshot({Slot::realSpace(101), Slot::makePlaceholder(), Slot::realSpace(102)}, 101), 0);
    ASSERT_TRUE(preview.move(TessarinDirectionRight, 3, false, GridWrapStyle::snake));
    EXPECT_EQ(preview.selectedVisualIndex, 1);
    EXPECT_EQ(preview.selectedSlot, Slot::makePlaceholder());
    EXPECT_FALSE(preview.selectedSpaceID);
    EXPECT_FALSE(preview.fallbackSystemIndex);
    // A placeholder still moves on from where it sits.
    ASSERT_TRUE(preview.move(TessarinDirectionRight, 3, false, GridWrapStyle::snake));
    EXPECT_EQ(preview.selectedSpaceID, 102u);
    EXPECT_EQ(preview.fallbackSystemIndex, 1);
}

TEST(GridOSDPreviewSessionTest, MakeSelectsTheSlotWithItsSystemIndexAsFallback) {
    struct Case {
        const char* name;
        std::vector<Slot> layout;
        std::vector<SpaceID> system;
        int64_t selected;
        std::optional<int64_t> fallback;
    };
    const Case cases[] = {
        {"in system order", realSlots(4), {}, 2, 2},
        {"the system index, not the visual one",
         {Slot::realSpace(102), Slot::realSpace(101)},
         {101, 102},
         0,
         1},
        // Space 103 is laid out but the window server no longer lists it.
        {"missing from the system order", realSlots(3), {101, 102}, 2, std::nullopt},
    };
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

// The selection follows its Space (or its placeholder) into the new layout; a vanished Space
// leaves the index, or the active one when the index is gone too.
TEST(GridOSDPreviewSessionTest, ReconcileFollowsTheSelectionIntoTheNewLayout) {
    const auto R = Slot::realSpace;
    const auto Pin = Slot::makePinnedPlaceholder();
    struct Case {
        const char* name;
        std::vector<Slot> before;
        int64_t selected;
        std::vector<Slot> after;
        SpaceID active;
        int64_t expected;
    };
    const Case cases[] = {
        {"Spaces appeared",
         realSlots(4),
         2,
         {R(201), R(101), R(102), R(202), R(103), R(104)},
         101,
         4},
        {"the selected Space vanished", realSlots(5), 3, {R(101), R(102), R(103), R(105)}, 101, 3},
        {"the last Spaces vanished", realSlots(6), 5, realSlots(3), 102, 1},
        {"a placeholder found by its slot",
         {R(101), R(102), Pin},
         2,
         {Pin, R(101), Slot::makePlaceholder(), R(102)},
         101,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto preview = session(snapshot(c.before, 101), c.selected);
        const auto fresh = snapshot(c.after, c.active);
        const auto model = gridModel(static_cast<int64_t>(c.after.size()));
        ASSERT_TRUE(preview.reconcile(fresh, model));
        const Slot& slot = c.after[static_cast<std::size_t>(c.expected)];
        EXPECT_EQ(preview.selectedVisualIndex, c.expected);
        EXPECT_EQ(preview.selectedSlot, slot);
        EXPECT_EQ(preview.selectedSpaceID,
                  slot.isReal() ? std::optional<SpaceID>(slot.spaceID) : std::nullopt);
        EXPECT_EQ(preview.displaySnapshot, fresh);
        EXPECT_EQ(preview.baseModel, model);
    }
}

DisplaySpaceOrderSnapshot withReplacement(std::vector<Slot> layoutSlots,
                                          std::map<SpaceID, SpaceID> replacements) {
    std::vector<SpaceID> system;
    for (const Slot& slot : layoutSlots) {
        system.push_back(slot.spaceID);
    }
    return DisplaySpaceOrderSnapshot::make("display-A", system, std::move(layoutSlots), 101,
                                           std::move(replacements));
}

TEST(GridOSDPreviewSessionTest, CommitResolvesTheSelectedSpaceInTheLatestLayout) {
    const std::vector<Slot> four = realSlots(4);
    const auto R = Slot::realSpace;
    struct Case {
        const char* name;
        std::vector<Slot> layoutSlots;
        std::vector<SpaceID> system;
        int64_t selected;
        std::optional<SpaceID> current;
        std::optional<DisplaySpaceOrderSnapshot> latest;
        Resolution expected;
    };
    const Case cases[] = {
        {"placeholder selected",
         {R(101), Slot::makePlaceholder()},
         {},
         1,
         101,
         {},
         Resolution::noTarget()},
        {"no fallback index", realSlots(3), {101, 102}, 2, 101, {}, Resolution::noTarget()},
        {"already current", four, {}, 2, 103, {}, Resolution::alreadyCurrent()},
        {"latest snapshot wins",
         four,
         {},
         2,
         101,
         snapshot(four, 101, {103, 101, 102, 104}),
         Resolution::switchToSystemIndex(0)},
        {"no latest snapshot", four, {}, 2, 101, {}, Resolution::switchToSystemIndex(2)},
        {"no current Space known", four, {}, 1, {}, {}, Resolution::switchToSystemIndex(1)},
        // Another Space now sits at the removed one's old system index: switching there would
        // surprise the user.
        {"selected Space removed",
         four,
         {},
         2,
         101,
         snapshot({R(101), R(102), R(104)}, 101),
         Resolution::noTarget()},
        {"renumbered Space followed",
         four,
         {},
         2,
         101,
         withReplacement({R(101), R(102), R(104), R(303)}, {{103, 303}}),
         Resolution::switchToSystemIndex(3)},
        {"renumbered Space is current",
         four,
         {},
         2,
         303,
         withReplacement({R(101), R(303)}, {{103, 303}}),
         Resolution::alreadyCurrent()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto preview = session(snapshot(c.layoutSlots, 101, c.system), c.selected);
        EXPECT_EQ(preview.commitResolution(c.current, c.latest), c.expected);
    }
}

} // namespace
} // namespace tessarin
