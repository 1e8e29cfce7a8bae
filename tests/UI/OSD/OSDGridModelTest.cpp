#include "UI/OSD/OSDGridModel.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using namespace testing;
using Appearance = OSDGridCellAppearance;
using Indices = std::set<int64_t>;

TEST(OSDGridModelTest, MakesOnlyShapesInRange) {
    const auto makes = [](int64_t count, int64_t active, int64_t columns) {
        return OSDGridModel::make(
                   {.spaceCount = count, .activeIndex = active, .columnCount = columns})
            .has_value();
    };
    EXPECT_TRUE(makes(1, 0, 2)) << "two columns";
    EXPECT_TRUE(makes(4, 3, 4)) << "four columns, the last cell active";
    EXPECT_FALSE(makes(0, 0, 3)) << "no Spaces";
    EXPECT_FALSE(makes(-2, 0, 3)) << "negative Spaces";
    EXPECT_FALSE(makes(4, 0, 1)) << "one column";
    EXPECT_FALSE(makes(4, 0, 5)) << "five columns";
    EXPECT_FALSE(makes(4, 4, 3)) << "active at the count";
    EXPECT_FALSE(makes(4, -1, 3)) << "negative active";
}

TEST(OSDGridModelTest, NormalisingDropsWhatACellCannotHold) {
    const std::vector five{appIcon("a"), appIcon("b"), appIcon("c"), appIcon("d"), appIcon("e")};
    const auto model = makeModel(
        {.spaceCount = 5,
         .title = "",
         .columnCount = 3,
         .cellTitles = {{-1, "before"}, {5, "after"}, {1, ""}, {2, "Notes"}},
         .cellScreenshots = {{2, screenshot(Qt::red)}, {7, screenshot(Qt::red)}},
         .cellIcons = {{2, appIcon("mail")}, {-4, appIcon("x")}},
         .cellIconStacks = {{0, {appIcon("a")}}, {3, five}, {2, {appIcon("a"), appIcon("b")}}},
         .placeholderIndices = {2, -1, 5},
         .virtualDestinationIndices = {0, 1, 2, 3, 4, 9},
         .obscuredIndices = {2, 5}});
    EXPECT_FALSE(model.title()) << "an empty header is none";
    EXPECT_EQ(model.cellTitles(), (std::map<int64_t, std::string>{{2, "Notes"}}))
        << "outside titles and empty titles go; a placeholder keeps its title";
    EXPECT_TRUE(model.cellScreenshots().empty());
    EXPECT_TRUE(model.cellIcons().empty());
    EXPECT_EQ(model.cellIconStacks(), (std::map<int64_t, std::vector<OSDGridAppIconEntry>>{
                                          {3, {appIcon("a"), appIcon("b"), appIcon("c")}}}))
        << "stacks are cut to three, single icons and placeholders' stacks go";
    EXPECT_EQ(model.placeholderIndices(), Indices{2});
    EXPECT_TRUE(model.obscuredIndices().empty());
    EXPECT_EQ(model.virtualDestinationIndices(), (Indices{0, 1, 4}))
        << "the dropped single icon and empty title leave cells 0 and 1 free";
}

TEST(OSDGridModelTest, ActivePlaceholderGivesTheHeader) {
    OSDGridModel::Fields placeholder{.spaceCount = 2,
                                     .activeIndex = 1,
                                     .title = "Given",
                                     .columnCount = 2,
                                     .placeholderIndices = {1}};
    EXPECT_EQ(makeModel(placeholder).title(), "Empty");
    placeholder.cellTitles = {{1, "Reserved"}};
    EXPECT_EQ(makeModel(placeholder).title(), "Reserved");
}

TEST(OSDGridModelTest, AppearanceOfEveryKindOfCell) {
    const auto picture = screenshot(Qt::green);
    const auto icon = appIcon("mail");
    // Obscuring is no appearance: cell 0 still shows its picture.
    const auto model = makeModel({.spaceCount = 8,
                                  .activeIndex = 1,
                                  .columnCount = 4,
                                  .cellScreenshots = {{0, picture}, {1, picture}},
                                  .cellIcons = {{0, icon}, {2, icon}, {3, icon}},
                                  .placeholderIndices = {4},
                                  .virtualDestinationIndices = {5},
                                  .obscuredIndices = {0}});
    EXPECT_EQ(model.appearance(0), Appearance::inactiveScreenshot(picture));
    EXPECT_EQ(model.appearance(1), Appearance::activeScreenshot(picture));
    EXPECT_EQ(model.appearance(2), Appearance::inactiveIcon(icon));
    EXPECT_EQ(model.appearance(4), Appearance::emptyPlaceholder());
    EXPECT_EQ(model.appearance(5), Appearance::virtualDestination());
    EXPECT_EQ(model.appearance(6), Appearance::inactivePlaceholder());
    EXPECT_FALSE(model.appearance(8) || model.appearance(-1));
    EXPECT_EQ(model.selectingActiveIndex(3).value().appearance(3), Appearance::activeIcon(icon));
    EXPECT_EQ(model.selectingActiveIndex(6).value().appearance(6), Appearance::activeFill());
}

TEST(OSDGridModelTest, BadgeIcons) {
    const auto a = appIcon("a", Qt::red);
    const auto b = appIcon("b", Qt::green);
    const auto c = appIcon("c", Qt::blue);
    const auto model =
        makeModel({.spaceCount = 4,
                   .columnCount = 2,
                   .cellScreenshots = {{0, screenshot(Qt::red)}, {1, screenshot(Qt::red)}},
                   .cellIcons = {{0, a}, {1, a}, {2, a}},
                   .cellIconStacks = {{1, {b, c}}}});
    EXPECT_EQ(model.badgeIcons(0), (std::vector{a})) << "picture and icon: the icon is a badge";
    EXPECT_EQ(model.badgeIcons(1), (std::vector{b, c})) << "a stack wins over the single icon";
    EXPECT_TRUE(model.badgeIcons(2).empty()) << "an icon without picture is the cell content";
    EXPECT_TRUE(model.badgeIcons(9).empty());
}

TEST(OSDGridModelTest, EqualityComparesImagesByContent) {
    const auto withPicture = [](QColor color) {
        return makeModel(
            {.spaceCount = 2, .columnCount = 2, .cellScreenshots = {{0, screenshot(color)}}});
    };
    EXPECT_EQ(withPicture(Qt::red), withPicture(Qt::red));
    EXPECT_NE(withPicture(Qt::red), withPicture(Qt::blue));
}

TEST(OSDGridModelTest, SelectingActiveIndexTakesTheHeaderFromTheCell) {
    const auto model = makeModel({.spaceCount = 4,
                                  .title = "Header",
                                  .columnCount = 2,
                                  .cellTitles = {{1, "Code"}},
                                  .obscuredIndices = {2}});
    EXPECT_FALSE(model.selectingActiveIndex(-1) || model.selectingActiveIndex(4));
    const auto code = model.selectingActiveIndex(1);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->activeIndex(), 1);
    EXPECT_EQ(code->title(), "Code");
    EXPECT_EQ(code->obscuredIndices(), model.obscuredIndices());
    EXPECT_FALSE(model.selectingActiveIndex(2).value().title())
        << "an untitled cell gives no header";
}

TEST(OSDGridModelTest, ReplacingCellWithPlaceholder) {
    const auto model = makeModel({.spaceCount = 3,
                                  .activeIndex = 1,
                                  .title = "Header",
                                  .columnCount = 3,
                                  .cellTitles = {{1, "Code"}},
                                  .virtualDestinationIndices = {0},
                                  .obscuredIndices = {1, 2}});
    EXPECT_FALSE(model.replacingCellWithPlaceholder(3) || model.replacingCellWithPlaceholder(-1));
    const auto removedActive = model.replacingCellWithPlaceholder(1);
    ASSERT_TRUE(removedActive);
    EXPECT_EQ(removedActive->placeholderIndices(), Indices{1});
    EXPECT_EQ(removedActive->activeIndex(), 1) << "the removed cell stays active";
    EXPECT_EQ(removedActive->title(), "Code");
    EXPECT_EQ(removedActive->obscuredIndices(), Indices{2});
    EXPECT_TRUE(removedActive->virtualDestinationIndices().empty());
    EXPECT_EQ(model.replacingCellWithPlaceholder(2).value().title(), "Header");
}

} // namespace
} // namespace tessarin
