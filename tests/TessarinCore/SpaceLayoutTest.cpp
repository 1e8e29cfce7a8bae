#include "TessarinCore/SpaceLayout.h"

#include "TessarinCore/SwitchPredictionTable.h"

#include <gtest/gtest.h>

namespace tessarin::bridge {
namespace {

ManagedDisplaySpaces list(std::string identifier, std::vector<SpaceID> ids,
                          std::optional<SpaceID> current) {
    ManagedDisplaySpaces entry{std::move(identifier), std::nullopt, {}};
    for (SpaceID id : ids) {
        entry.spaces.push_back(ManagedSpace{id, kSpaceTypeUserDesktop, ""});
    }
    if (current) {
        entry.currentSpace = ManagedSpace{*current, kSpaceTypeUserDesktop, ""};
    }
    return entry;
}

TEST(SpaceLayoutTest, spaceInfoOfTheCurrentSpaceOrElseTheActiveOne) {
    EXPECT_EQ(spaceInfo(list("A", {5, 6, 7}, 6), std::nullopt), (TessarinSpaceInfo{1, 3, 6}));
    EXPECT_EQ(spaceInfo(list("A", {5, 6, 7}, std::nullopt), 7u), (TessarinSpaceInfo{2, 3, 7}));
    EXPECT_EQ(spaceInfo(list("A", {5, 6, 7}, std::nullopt), std::nullopt), std::nullopt);
    EXPECT_EQ(spaceInfo(list("A", {5, 6}, 9), std::nullopt), std::nullopt); // not in the list
    EXPECT_EQ(spaceInfo(list("A", {}, 9), std::nullopt), std::nullopt);
}

TEST(SpaceLayoutTest, displaysHaveSeparateSpacesUnlessOneListIsShared) {
    using Lists = std::optional<std::vector<ManagedDisplaySpaces>>;
    const std::tuple<const char*, uint32_t, Lists, bool> cases[] = {
        {"no screens", 0, std::vector{list("Main", {1}, 1)}, true},
        {"unreadable", 2, std::nullopt, true},
        {"one screen, shared", 1, std::vector{list("Main", {1}, 1)}, false},
        {"one screen, own list", 1, std::vector{list("A", {1}, 1)}, true},
        {"one screen, no Spaces", 1, std::vector{list("Main", {}, std::nullopt)}, true},
        {"one screen, the first with Spaces decides", 1,
         std::vector{list("A", {}, std::nullopt), list("Main", {1}, 1)}, false},
        {"two screens, shared", 2, std::vector{list("Main", {1, 2}, 1)}, false},
        {"two screens, two lists", 2, std::vector{list("A", {1}, 1), list("B", {2}, 2)}, true},
        {"two screens, one list empty", 2,
         std::vector{list("A", {1}, 1), list("B", {}, std::nullopt)}, false},
    };
    for (const auto& [name, screens, lists, expected] : cases) {
        EXPECT_EQ(displaysHaveSeparateSpaces(screens, lists), expected) << name;
    }
}

// A prediction follows its Space (not its index) on its own display until cleared or reset.
TEST(SwitchPredictionTableTest, predictionFollowsItsSpaceOnItsOwnDisplay) {
    SwitchPredictionTable table;
    const ManagedDisplaySpaces entry = list("A", {5, 6, 7}, 5);
    const TessarinSpaceInfo live{0, 3, 5};
    table.record("B", 2, 7, 100.0);
    EXPECT_EQ(table.apply("A", live, entry, 100.1), live);
    table.record("A", 2, 7, 100.0);
    EXPECT_EQ(table.apply("A", {1, 3, 5}, list("A", {7, 5, 6}, 5), 100.5),
              (TessarinSpaceInfo{0, 3, 7}));
    EXPECT_EQ(table.apply("A", {0, 2, 5}, list("A", {5, 6}, 5), 100.5),
              (TessarinSpaceInfo{0, 2, 5}));
    table.clear("A");
    EXPECT_EQ(table.apply("A", live, entry, 100.1), live);
    table.reset();
    EXPECT_EQ(table.size(), 0u);
}

// A reader reads the clock, then loses the table's lock to a switch that records a prediction
// with a later clock. The reader must not take the newer prediction for a stale one, or the
// next switch counts its steps from the live Space.
TEST(SwitchPredictionTableTest, aReaderWhoseClockIsOlderKeepsTheNewerPrediction) {
    SwitchPredictionTable table;
    table.record("A", 2, 7, 100.001);
    const auto seen = table.prediction("A", 100.0);
    const auto nextSwitch = table.prediction("A", 100.002);
    ASSERT_TRUE(seen && nextSwitch);
    EXPECT_EQ(seen->targetSpaceID, 7u);
    EXPECT_EQ(nextSwitch->targetIndex, 2u);
}

} // namespace
} // namespace tessarin::bridge
