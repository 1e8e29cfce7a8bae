#include "TessarinCore/SpaceLayout.h"

#include "TessarinCore/SwitchPredictionTable.h"

#include <gtest/gtest.h>

namespace tessarin::bridge {
namespace {

ManagedSpace desktop(SpaceID id) {
    return ManagedSpace{id, kSpaceTypeUserDesktop, ""};
}

ManagedDisplaySpaces list(std::string identifier, std::vector<SpaceID> ids,
                          std::optional<SpaceID> current) {
    ManagedDisplaySpaces entry{std::move(identifier), std::nullopt, {}};
    for (SpaceID id : ids) {
        entry.spaces.push_back(desktop(id));
    }
    if (current) {
        entry.currentSpace = desktop(*current);
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

TEST(SpaceLayoutTest, findsTheDisplaysOwnListOrTheSharedOne) {
    const std::vector<ManagedDisplaySpaces> separate{list("A", {1}, 1), list("B", {2}, 2)};
    EXPECT_EQ(findSpaceList(separate, "B"), &separate[1]);
    EXPECT_EQ(findSpaceList(separate, "C"), nullptr);
    EXPECT_EQ(findSpaceList(separate, ""), nullptr);
    const std::vector<ManagedDisplaySpaces> shared{list("Main", {1, 2}, 1)};
    EXPECT_EQ(findSpaceList(shared, "B"), &shared[0]);
}

struct SeparateSpacesCase {
    const char* name;
    uint32_t screens;
    std::optional<std::vector<ManagedDisplaySpaces>> lists;
    bool expected;
};

void PrintTo(const SeparateSpacesCase& c, std::ostream* os) {
    *os << c.name;
}

class SeparateSpacesTest : public testing::TestWithParam<SeparateSpacesCase> {};

TEST_P(SeparateSpacesTest, decides) {
    EXPECT_EQ(displaysHaveSeparateSpaces(GetParam().screens, GetParam().lists),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SeparateSpacesTest,
    testing::Values(
        SeparateSpacesCase{"noScreens", 0, std::vector{list("Main", {1}, 1)}, true},
        SeparateSpacesCase{"unreadable", 2, std::nullopt, true},
        SeparateSpacesCase{"oneScreenShared", 1, std::vector{list("Main", {1}, 1)}, false},
        SeparateSpacesCase{"oneScreenOwnList", 1, std::vector{list("A", {1}, 1)}, true},
        SeparateSpacesCase{"oneScreenNoSpaces", 1, std::vector{list("Main", {}, std::nullopt)},
                           true},
        SeparateSpacesCase{"oneScreenFirstWithSpacesDecides", 1,
                           std::vector{list("A", {}, std::nullopt), list("Main", {1}, 1)}, false},
        SeparateSpacesCase{"twoScreensShared", 2, std::vector{list("Main", {1, 2}, 1)}, false},
        SeparateSpacesCase{"twoScreensTwoLists", 2,
                           std::vector{list("A", {1}, 1), list("B", {2}, 2)}, true},
        SeparateSpacesCase{"twoScreensOneListEmpty", 2,
                           std::vector{list("A", {1}, 1), list("B", {}, std::nullopt)}, false}),
    [](const auto& info) { return std::string(info.param.name); });

class SwitchPredictionTableTest : public testing::Test {
protected:
    SwitchPredictionTable table;
    ManagedDisplaySpaces entry = list("A", {5, 6, 7}, 5);
    TessarinSpaceInfo live{0, 3, 5};
};

TEST_F(SwitchPredictionTableTest, predictionShowsUntilItsSecondIsUp) {
    table.record("A", 2, 7, 100.0);
    EXPECT_EQ(table.apply("A", live, entry, 100.0), (TessarinSpaceInfo{2, 3, 7}));
    EXPECT_EQ(table.apply("A", live, entry, 100.999), (TessarinSpaceInfo{2, 3, 7}));
    EXPECT_EQ(table.apply("A", live, entry, 101.0), live);
    EXPECT_EQ(table.size(), 0u);
}

TEST_F(SwitchPredictionTableTest, predictionFollowsTheSpaceNotTheIndex) {
    table.record("A", 2, 7, 100.0);
    ManagedDisplaySpaces reordered = list("A", {7, 5, 6}, 5);
    EXPECT_EQ(table.apply("A", TessarinSpaceInfo{1, 3, 5}, reordered, 100.5),
              (TessarinSpaceInfo{0, 3, 7}));
    ManagedDisplaySpaces removed = list("A", {5, 6}, 5);
    EXPECT_EQ(table.apply("A", TessarinSpaceInfo{0, 2, 5}, removed, 100.5),
              (TessarinSpaceInfo{0, 2, 5}));
}

TEST_F(SwitchPredictionTableTest, newerSwitchReplacesTheOlder) {
    table.record("A", 2, 7, 100.0);
    table.record("A", 1, 6, 100.8);
    EXPECT_EQ(table.apply("A", live, entry, 101.5), (TessarinSpaceInfo{1, 3, 6}));
}

// A prediction belongs to one display; clearing or resetting forgets it.
TEST_F(SwitchPredictionTableTest, predictionsOfOtherDisplaysOrClearedOnesDoNotApply) {
    table.record("B", 2, 7, 100.0);
    EXPECT_EQ(table.apply("A", live, entry, 100.1), live);
    table.record("A", 2, 7, 100.0);
    table.clear("A");
    EXPECT_EQ(table.apply("A", live, entry, 100.1), live);
    table.reset();
    EXPECT_EQ(table.size(), 0u);
}

} // namespace
} // namespace tessarin::bridge
