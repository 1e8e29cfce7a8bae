#include "Model/Spaces/DisplaySpaceOrderStore.h"

#include "Model/Spaces/DisplaySpaceSlotTestSupport.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Environment.h"
#include "Support/Logger.h"
#include "Support/VirtualMainQueue.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Slot = DisplaySpaceSlot;
using Slots = std::vector<DisplaySpaceSlot>;
using IDs = std::vector<SpaceID>;
using Behavior = OSDGridRearrangementBehavior;
using testing::P;
using testing::Pin;
using testing::R;
using testing::storedLayout;
using testing::writeLayout;

const std::string kDisplay = "UUID-A";
const std::string kLayoutKey = "spaceLayout.display.UUID-A";
const std::string kLegacyKey = "spaceOrder.display.UUID-A";

class DisplaySpaceOrderStoreTest : public ::testing::Test {
protected:
    DisplaySpaceOrderStoreTest() {
        defaults.addObserver([this](const std::string& key) { writes.push_back(key); });
    }

    DisplaySpaceOrderSnapshot resolve(const IDs& system, bool placeholders = false,
                                      DisplaySpaceOrderStore::ResolutionContext context = {}) {
        return store.snapshot(kDisplay, system, system.empty() ? 0 : system.front(), placeholders,
                              context);
    }
    std::optional<DisplaySpaceOrderSnapshot> move(int from, int to, Behavior behavior,
                                                  const IDs& system, bool placeholders = false,
                                                  int limit = 0) {
        const int slots = resolve(system, placeholders).slotCount();
        return store.moveVisualOrder(from, to, behavior, kDisplay, system, system.front(),
                                     placeholders, limit, slots);
    }
    int revision() const { return store.revision.value(); }

    VirtualMainQueue queue;
    ScopedMainQueue installed{queue};
    UserDefaults defaults;
    std::optional<int> highestNamedSlot;
    DisplaySpaceOrderStore store{defaults, [this](const std::string& identifier) {
                                     return identifier == kDisplay ? highestNamedSlot
                                                                   : std::nullopt;
                                 }};
    std::vector<std::string> writes;
};

TEST_F(DisplaySpaceOrderStoreTest, WithoutAStoredLayoutTheSystemOrderShowsOnceAndNothingIsWritten) {
    const auto s = resolve({10, 0, 20, 10, 30});
    EXPECT_EQ(s.visualSlots, (Slots{R(10), R(20), R(30)}));
    EXPECT_EQ(s.systemOrderedSpaceIDs, (IDs{10, 20, 30}));
    EXPECT_FALSE(store.hasOverride(kDisplay));
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(revision(), 0);
}

TEST_F(DisplaySpaceOrderStoreTest, MovesSwapShuffleOrGrowTheStoredLayout) {
    // clang-format off
    struct Case { const char* name; Slots stored; int from; int to; Behavior behavior; Slots expected; };
    const Case cases[] = { // stored none: the system order
        {"shuffle first to fourth", {}, 0, 3, Behavior::shuffle, {R(2), R(3), R(4), R(1), R(5)}},
        {"swap first and fourth", {}, 0, 3, Behavior::swap, {R(4), R(2), R(3), R(1), R(5)}},
        {"shuffle last to front", {}, 4, 0, Behavior::shuffle, {R(5), R(1), R(2), R(3), R(4)}},
        {"swap neighbours", {}, 1, 2, Behavior::swap, {R(1), R(3), R(2), R(4), R(5)}},
        // A move onto a placeholder exchanges even when shuffling.
        {"onto a placeholder", {R(1), P, R(2), R(3), R(4), R(5)}, 5, 1, Behavior::shuffle, {R(1), R(5), R(2), R(3), R(4), P}},
        // A drop past the last cell grows the layout with placeholders.
        {"past the last cell", {}, 0, 6, Behavior::shuffle, {P, R(2), R(3), R(4), R(5), P, R(1)}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        defaults.remove(kLayoutKey);
        if (!c.stored.empty()) {
            writeLayout(defaults, kDisplay, c.stored);
        }
        const auto result = move(c.from, c.to, c.behavior, {1, 2, 3, 4, 5}, true, 9);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->visualSlots, c.expected);
        EXPECT_EQ(store.storedSlots(kDisplay), c.expected);
        EXPECT_EQ(resolve({1, 2, 3, 4, 5}, true).visualSlots, c.expected);
    }
    defaults.remove(kLayoutKey);
    const auto grown = move(0, 4, Behavior::shuffle, {1, 2, 3}, true, 6);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->visualToSystemIndices, (std::vector<int>{-1, 1, 2, -1, 0}));
    EXPECT_EQ(grown->activeVisualIndex, 4) << "the active Space keeps its indexes";
}

TEST_F(DisplaySpaceOrderStoreTest, RefusedMovesStoreNothing) {
    writeLayout(defaults, kDisplay, {R(1), P, R(2)});
    writes.clear();
    // clang-format off
    struct Case { const char* name; int from; int to; bool placeholders; int limit; };
    const Case cases[] = {
        {"same cell", 0, 0, true, 9}, {"from a placeholder", 1, 0, true, 9},
        {"from outside", 5, 0, true, 9}, {"negative source", -1, 0, true, 9},
        {"negative destination", 0, -1, true, 9}, {"at the virtual limit", 0, 6, true, 6},
        {"past the last cell without placeholders", 0, 3, false, 9},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_FALSE(move(c.from, c.to, Behavior::shuffle, {1, 2}, c.placeholders, c.limit))
            << c.name;
    }
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(revision(), 0);
}

TEST_F(DisplaySpaceOrderStoreTest, PlaceholdersShowOnlyWhenTheDisplayUsesThem) {
    writeLayout(defaults, kDisplay, {R(1), P, R(2)});
    writes.clear();
    EXPECT_EQ(resolve({1, 2}, false).visualSlots, (Slots{R(1), R(2)}));
    EXPECT_EQ(resolve({1, 2}, true).visualSlots, (Slots{R(1), P, R(2)}));
    // Hiding them does not cost the stored gap.
    EXPECT_EQ(store.storedSlots(kDisplay), (Slots{R(1), P, R(2)}));
    EXPECT_TRUE(writes.empty());
}

TEST_F(DisplaySpaceOrderStoreTest, PinnedPlaceholdersReachTheHighestNamedSlot) {
    highestNamedSlot = 5;
    EXPECT_EQ(resolve({1, 2, 3}, true).visualSlots, (Slots{R(1), R(2), R(3), Pin, Pin}));
    EXPECT_EQ(resolve({1, 2, 3}, false).visualSlots, (Slots{R(1), R(2), R(3)}));
    // Enough Spaces already: nothing to pad.
    EXPECT_EQ(resolve({1, 2, 3, 4, 5, 6}, true).visualSlots.size(), 6u);
    // An explicit count wins over the names of the display (shared Spaces use another's).
    DisplaySpaceOrderStore::ResolutionContext context;
    context.pinnedSlotCount = 4;
    EXPECT_EQ(resolve({1, 2, 3}, true, context).visualSlots, (Slots{R(1), R(2), R(3), Pin}));
    // However high a name sits, the padding stops at the stored maximum.
    highestNamedSlot = 1'000'000;
    EXPECT_EQ(resolve({1, 2}, true).slotCount(), DisplaySpaceOrderStore::maximumStoredSlotCount);
    EXPECT_TRUE(writes.empty());
}

TEST_F(DisplaySpaceOrderStoreTest, PinnedPlaceholdersAreNotStoredAndCannotBeRemoved) {
    highestNamedSlot = 4;
    const auto moved = move(0, 3, Behavior::swap, {1, 2, 3}, true, 6);
    ASSERT_TRUE(moved);
    // The Space took the named slot; the cell it left is an ordinary placeholder.
    EXPECT_EQ(moved->visualSlots, (Slots{P, R(2), R(3), R(1)}));

    writeLayout(defaults, kDisplay, {R(1), P, R(2)});
    EXPECT_EQ(resolve({1, 2}, true).visualSlots, (Slots{R(1), P, R(2), Pin}));
    EXPECT_FALSE(store.removePlaceholder(3, kDisplay, {1, 2}, 1));
    EXPECT_FALSE(store.removePlaceholder(0, kDisplay, {1, 2}, 1)); // a real Space
    EXPECT_FALSE(store.removePlaceholder(7, kDisplay, {1, 2}, 1));
    const int before = revision();
    const auto removed = store.removePlaceholder(1, kDisplay, {1, 2}, 1);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->visualSlots, (Slots{R(1), R(2), Pin, Pin}));
    EXPECT_EQ(store.storedSlots(kDisplay), (Slots{R(1), R(2)}));
    EXPECT_EQ(revision(), before + 1);
}

TEST_F(DisplaySpaceOrderStoreTest, LayoutRoundTripsThroughTheDefaultsFileAndSurvivesARestart) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path file = folder.filePath("defaults.json").toStdString();
    Slots arranged;
    {
        UserDefaults persisted(file);
        DisplaySpaceOrderStore first(persisted);
        ASSERT_TRUE(
            first.moveVisualOrder(2, 0, Behavior::shuffle, kDisplay, {10, 20, 30}, 10, true, 6, 3));
        ASSERT_TRUE(
            first.moveVisualOrder(1, 4, Behavior::shuffle, kDisplay, {10, 20, 30}, 10, true, 6, 3));
        arranged = first.snapshot(kDisplay, {10, 20, 30}, 10, true).visualSlots;
        EXPECT_EQ(arranged, (Slots{R(30), P, R(20), P, R(10)}));
    }
    UserDefaults reopened(file);
    DisplaySpaceOrderStore second(reopened);
    EXPECT_EQ(second.snapshot(kDisplay, {10, 20, 30}, 10, true).visualSlots, arranged);

    // The machine restarted too: the window server numbers the same Spaces afresh.
    UserDefaults afterReboot(file);
    DisplaySpaceOrderStore third(afterReboot);
    EXPECT_EQ(third.snapshot(kDisplay, {51, 52, 53}, 51, true).visualSlots,
              (Slots{R(53), P, R(52), P, R(51)}));
    ASSERT_TRUE(afterReboot.flush(std::chrono::seconds(20)));
    UserDefaults reread(file);
    EXPECT_EQ(reread.object(kLayoutKey), storedLayout({R(53), P, R(52), P, R(51)}));
}

TEST_F(DisplaySpaceOrderStoreTest, TheLegacyOrderIsReadAndMigratesOnTheFirstWrite) {
    defaults.set(kLegacyKey,
                 PropertyArray{PropertyValue(30), PropertyValue(10), PropertyValue(20)});
    writes.clear();
    EXPECT_TRUE(store.hasOverride(kDisplay));
    EXPECT_EQ(resolve({10, 20, 30}).visualSlots, (Slots{R(30), R(10), R(20)}));
    EXPECT_TRUE(writes.empty()); // reading changes nothing

    ASSERT_TRUE(move(0, 2, Behavior::shuffle, {10, 20, 30}));
    EXPECT_FALSE(defaults.contains(kLegacyKey));
    EXPECT_EQ(defaults.object(kLayoutKey), storedLayout({R(10), R(20), R(30)}));
    EXPECT_EQ(revision(), 1);

    writes.clear();
    ASSERT_TRUE(move(0, 1, Behavior::swap, {10, 20, 30}));
    EXPECT_EQ(writes, std::vector<std::string>{kLayoutKey}); // the legacy key is gone for good
    EXPECT_EQ(revision(), 2);
}

TEST_F(DisplaySpaceOrderStoreTest, TheCurrentLayoutWinsOverTheLegacyOrder) {
    defaults.set(kLegacyKey, PropertyArray{PropertyValue(2), PropertyValue(1)});
    writeLayout(defaults, kDisplay, {R(1), P, R(2)});
    EXPECT_EQ(resolve({1, 2}, true).visualSlots, (Slots{R(1), P, R(2)}));
    store.clearOverride(kDisplay);
    EXPECT_FALSE(defaults.contains(kLegacyKey));
    EXPECT_FALSE(store.hasOverride(kDisplay));
    EXPECT_EQ(revision(), 1);
    store.clearOverride(kDisplay); // nothing left to clear: no edit
    EXPECT_EQ(revision(), 1);
}

TEST_F(DisplaySpaceOrderStoreTest, NewIDsForTheSameSpacesKeepTheUsersOrder) {
    writeLayout(defaults, kDisplay, {R(30), P, R(10), R(20)});
    EXPECT_EQ(resolve({10, 20, 30}, true).visualSlots, (Slots{R(30), P, R(10), R(20)}));

    // The window server renumbered every Space, keeping its own order.
    const auto s = resolve({110, 120, 130}, true);
    EXPECT_EQ(s.visualSlots, (Slots{R(130), P, R(110), R(120)}));
    EXPECT_EQ(s.spaceIDReplacements, (std::map<SpaceID, SpaceID>{{10, 110}, {20, 120}, {30, 130}}));
    EXPECT_EQ(store.storedSlots(kDisplay), (Slots{R(130), P, R(110), R(120)}));
    EXPECT_EQ(revision(), 1);

    // Resolved again, nothing is left to replace or to write.
    const auto again = resolve({110, 120, 130}, true);
    EXPECT_TRUE(again.spaceIDReplacements.empty());
    EXPECT_EQ(revision(), 1);
}

TEST_F(DisplaySpaceOrderStoreTest, ReplacementsFollowTheLastSeenSystemOrder) {
    // The system order does not follow the IDs here (Desktops were rearranged in Mission
    // Control), so only the remembered order pairs them right.
    writeLayout(defaults, kDisplay, {R(5), R(9), R(7)});
    resolve({9, 5, 7});
    const auto s = resolve({40, 41, 42});
    EXPECT_EQ(s.spaceIDReplacements, (std::map<SpaceID, SpaceID>{{9, 40}, {5, 41}, {7, 42}}));
    EXPECT_EQ(s.visualSlots, (Slots{R(41), R(40), R(42)}));
}

TEST_F(DisplaySpaceOrderStoreTest, PartialRenumberingIsMappedOnlyInTheRecoveryWindow) {
    // clang-format off
    struct Case { const char* name; Slots stored; IDs system; bool recovery; Slots expected;
                  std::map<SpaceID, SpaceID> replacements; };
    const Case cases[] = {
        // One Desktop removed and another added: the new one goes to the end.
        {"swapped Desktop", {R(3), R(2), R(1)}, {1, 3, 9}, false, {R(3), R(1), R(9)}, {}},
        {"swapped Desktop on wake", {R(3), R(2), R(1)}, {1, 3, 9}, true, {R(3), R(9), R(1)}, {{2, 9}}},
        {"fewer new IDs", {R(3), R(1), R(4)}, {1, 50}, false, {R(1), R(50)}, {}},
        {"fewer new IDs on wake", {R(3), R(1), R(4)}, {1, 50}, true, {R(50), R(1)}, {{3, 50}}},
        // Every stored Space renumbered (a restart), one Desktop more than before.
        {"complete renumbering", {R(30), R(10), R(20)}, {101, 102, 103, 104}, false,
         {R(103), R(101), R(102), R(104)}, {{10, 101}, {20, 102}, {30, 103}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        writeLayout(defaults, kDisplay, c.stored);
        DisplaySpaceOrderStore fresh(defaults);
        DisplaySpaceOrderStore::ResolutionContext context;
        context.allowsRecoveryReplacements = c.recovery;
        const auto s = fresh.snapshot(kDisplay, c.system, c.system.front(), false, context);
        EXPECT_EQ(s.visualSlots, c.expected) << c.name;
        EXPECT_EQ(s.spaceIDReplacements, c.replacements) << c.name;
    }
}

TEST_F(DisplaySpaceOrderStoreTest, EveryLiveSpaceAppearsExactlyOnce) {
    // clang-format off
    struct Case { const char* name; Slots stored; IDs system; };
    const Case cases[] = {
        {"new Space", {R(2), R(1)}, {1, 2, 3}}, {"removed Space", {R(3), R(2), R(1)}, {1, 3}},
        {"removed and added", {R(3), R(2), R(1)}, {1, 3, 9}}, {"all new", {R(1), R(2)}, {7, 8, 9}},
        {"stored empty", {}, {4, 5}}, {"only placeholders", {P, P}, {4}},
    };
    // clang-format on
    for (const Case& c : cases) {
        writeLayout(defaults, kDisplay, c.stored);
        for (bool placeholders : {false, true}) {
            const auto s = resolve(c.system, placeholders);
            std::multiset<SpaceID> shown;
            for (const Slot& slot : s.visualSlots) {
                if (slot.isReal()) {
                    shown.insert(slot.spaceID);
                }
            }
            EXPECT_EQ(shown, std::multiset<SpaceID>(c.system.begin(), c.system.end())) << c.name;
        }
    }
}

TEST_F(DisplaySpaceOrderStoreTest, VanishedSpacesLeaveTheStoredLayout) {
    writeLayout(defaults, kDisplay, {R(3), R(2), R(1)});
    EXPECT_EQ(resolve({1, 3}).visualSlots, (Slots{R(3), R(1)}));
    EXPECT_EQ(store.storedSlots(kDisplay), (Slots{R(3), R(1)}));
    EXPECT_EQ(revision(), 1);
}

TEST_F(DisplaySpaceOrderStoreTest, AnEmptySpaceListDoesNotWipeTheLayout) {
    writeLayout(defaults, kDisplay, {R(3), P, R(1)});
    writes.clear();
    EXPECT_TRUE(resolve({}, true).visualSlots == (Slots{P}));
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(resolve({1, 3}, true).visualSlots, (Slots{R(3), P, R(1)}));
}

TEST_F(DisplaySpaceOrderStoreTest, SpacesListedOnAnotherDisplayKeepTheirPlace) {
    writeLayout(defaults, kDisplay, {R(3), R(2), R(1)});
    DisplaySpaceOrderStore::ResolutionContext context;
    context.otherSpaceIDs = {2};
    EXPECT_EQ(resolve({1, 3}, false, context).visualSlots, (Slots{R(3), R(1)}));
    EXPECT_EQ(store.storedSlots(kDisplay), (Slots{R(3), R(2), R(1)}));
    // A reorder meanwhile does not lose it either.
    ASSERT_TRUE(store.moveVisualOrder(0, 1, Behavior::swap, kDisplay, {1, 3}, 1, false, 0, 2));
    EXPECT_EQ(store.storedSlots(kDisplay), (Slots{R(1), R(3), R(2)}));
    EXPECT_EQ(resolve({1, 2, 3}).visualSlots, (Slots{R(1), R(3), R(2)}));
}

TEST_F(DisplaySpaceOrderStoreTest, BlankIdentifiersStoreNothing) {
    EXPECT_EQ(store.snapshot(" \n", {1, 2}, 1, false).visualSlots, (Slots{R(1), R(2)}));
    EXPECT_FALSE(store.moveVisualOrder(0, 1, Behavior::swap, "  ", {1, 2}, 1, false, 0, 2));
    EXPECT_FALSE(store.hasOverride(""));
    EXPECT_TRUE(writes.empty());
}

class DisplaySpaceOrderStoreBadInputTest : public DisplaySpaceOrderStoreTest {
protected:
    ScopedEnvironmentOverride debug{"TESSARIN_SPACE_DEBUG", "1"};
    ScopedLogCapture capture;
};

TEST_F(DisplaySpaceOrderStoreBadInputTest, UnusableLayoutsAreIgnoredWithADiagnosticsLine) {
    // clang-format off
    struct Case { const char* name; PropertyValue value; };
    const Case cases[] = {
        {"a string", PropertyValue("30,10,20")}, {"a number", PropertyValue(7)},
        {"another version", PropertyDictionary{{"version", PropertyValue(2)}, {"slots", PropertyArray{}}}},
        {"no version", PropertyDictionary{{"slots", PropertyArray{}}}},
        {"slots not a list", PropertyDictionary{{"version", PropertyValue(1)}, {"slots", PropertyValue("x")}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        defaults.set(kLayoutKey, c.value);
        defaults.set("gridColumnCount", PropertyValue(2));
        capture.clear();
        writes.clear();
        EXPECT_EQ(resolve({10, 20}).visualSlots, (Slots{R(10), R(20)})) << c.name;
        EXPECT_FALSE(capture.messages("SpaceDiagnostics").empty()) << c.name;
        EXPECT_TRUE(writes.empty()) << c.name; // left alone until the user edits the layout
        EXPECT_EQ(defaults.integerValue("gridColumnCount"), 2) << c.name;
    }
    // The next edit replaces it.
    ASSERT_TRUE(move(0, 1, Behavior::swap, {10, 20}));
    EXPECT_EQ(defaults.object(kLayoutKey), storedLayout({R(20), R(10)}));
}

TEST_F(DisplaySpaceOrderStoreBadInputTest, BadSlotsAreDroppedAndTheRestKept) {
    const auto entry = [](PropertyValue id, const char* kind) {
        return PropertyDictionary{{"spaceID", std::move(id)}, {"kind", PropertyValue(kind)}};
    };
    // clang-format off
    PropertyArray entries{entry(20, "real"), PropertyValue("not a slot"), entry(99, "hole"),
        PropertyDictionary{{"kind", PropertyValue("real")}}, entry("10", "real"), entry(20, "real"),
        entry(0, "real"), entry(5, "placeholder"), entry(10.0, "real")};
    // clang-format on
    defaults.set(kLayoutKey, PropertyDictionary{{"version", PropertyValue(1)},
                                                {"slots", PropertyValue(entries)}});
    EXPECT_EQ(resolve({10, 20, 30}, true).visualSlots, (Slots{R(20), P, R(10), R(30)}));
    EXPECT_GE(capture.messages("SpaceDiagnostics").size(), 6u);
    // The normalised layout is written back once, so the problems are not met again.
    EXPECT_EQ(defaults.object(kLayoutKey), storedLayout({R(20), P, R(10), R(30)}));
    capture.clear();
    resolve({10, 20, 30}, true);
    EXPECT_TRUE(capture.messages("SpaceDiagnostics").empty());
}

TEST_F(DisplaySpaceOrderStoreBadInputTest, OversizedAndLegacyGarbageAreBounded) {
    PropertyArray many(100000, PropertyDictionary{{"spaceID", PropertyValue(0)},
                                                  {"kind", PropertyValue("placeholder")}});
    defaults.set(kLayoutKey,
                 PropertyDictionary{{"version", PropertyValue(1)}, {"slots", PropertyValue(many)}});
    const auto s = resolve({1, 2}, true);
    EXPECT_EQ(s.slotCount(), DisplaySpaceOrderStore::maximumStoredSlotCount + 2);

    defaults.remove(kLayoutKey);
    defaults.set(kLegacyKey, PropertyArray{PropertyValue(true), PropertyValue(-0.5),
                                           PropertyValue(2), PropertyValue("1"), PropertyValue(2)});
    EXPECT_EQ(resolve({1, 2, 3}).visualSlots, (Slots{R(2), R(1), R(3)}));
    defaults.remove(kLayoutKey); // the legacy order was migrated, being unclean
    defaults.set(kLegacyKey, PropertyValue("2,1"));
    EXPECT_EQ(resolve({1, 2, 3}).visualSlots, (Slots{R(1), R(2), R(3)}));
}

} // namespace
} // namespace tessarin
