#include "UI/OSD/OSDGridModel.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::appIcon;
using testing::makeModel;
using testing::screenshot;
using Appearance = OSDGridCellAppearance;

struct ShapeCase {
    const char* name;
    int64_t spaceCount;
    int64_t activeIndex;
    int64_t columnCount;
    bool accepted;
};

class OSDGridModelShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(OSDGridModelShape, IsAcceptedOnlyInRange) {
    const ShapeCase& shape = GetParam();
    EXPECT_EQ(OSDGridModel::make({.spaceCount = shape.spaceCount,
                                  .activeIndex = shape.activeIndex,
                                  .columnCount = shape.columnCount})
                  .has_value(),
              shape.accepted);
}

INSTANTIATE_TEST_SUITE_P(Shapes, OSDGridModelShape,
                         ::testing::Values(ShapeCase{"twoColumns", 1, 0, 2, true},
                                           ShapeCase{"fourColumns", 4, 3, 4, true},
                                           ShapeCase{"zeroSpaces", 0, 0, 3, false},
                                           ShapeCase{"negativeSpaces", -2, 0, 3, false},
                                           ShapeCase{"oneColumn", 4, 0, 1, false},
                                           ShapeCase{"fiveColumns", 4, 0, 5, false},
                                           ShapeCase{"activeAtCount", 4, 4, 3, false},
                                           ShapeCase{"negativeActive", 4, -1, 3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OSDGridModelTest, PlaceholderKeepsOnlyItsTitle) {
    const auto model = makeModel({.spaceCount = 4,
                                  .activeIndex = 0,
                                  .columnCount = 2,
                                  .cellTitles = {{2, "Notes"}},
                                  .cellScreenshots = {{2, screenshot(Qt::red)}},
                                  .cellIcons = {{2, appIcon("mail")}},
                                  .cellIconStacks = {{2, {appIcon("a"), appIcon("b")}}},
                                  .placeholderIndices = {2},
                                  .obscuredIndices = {2}});
    EXPECT_EQ(model.title(2), "Notes");
    EXPECT_FALSE(model.cellScreenshots().contains(2));
    EXPECT_FALSE(model.icon(2));
    EXPECT_FALSE(model.cellIconStacks().contains(2));
    EXPECT_FALSE(model.isObscured(2));
    EXPECT_EQ(model.appearance(2), Appearance::emptyPlaceholder());
}

TEST(OSDGridModelTest, IndexesOutsideTheGridAreDropped) {
    const auto model = makeModel({.spaceCount = 3,
                                  .activeIndex = 0,
                                  .columnCount = 3,
                                  .cellTitles = {{-1, "before"}, {3, "after"}, {1, "one"}},
                                  .cellScreenshots = {{5, screenshot(Qt::red)}},
                                  .cellIcons = {{-4, appIcon("x")}},
                                  .placeholderIndices = {-1, 3, 7},
                                  .virtualDestinationIndices = {3, 9},
                                  .obscuredIndices = {-1, 3}});
    EXPECT_EQ(model.cellTitles(), (std::map<int64_t, std::string>{{1, "one"}}));
    EXPECT_TRUE(model.cellScreenshots().empty());
    EXPECT_TRUE(model.cellIcons().empty());
    EXPECT_TRUE(model.placeholderIndices().empty());
    EXPECT_TRUE(model.virtualDestinationIndices().empty());
    EXPECT_TRUE(model.obscuredIndices().empty());
}

TEST(OSDGridModelTest, IconStacksAreCutToThreeAndSingleIconsDropped) {
    const std::vector five{appIcon("a"), appIcon("b"), appIcon("c"), appIcon("d"), appIcon("e")};
    const auto model = makeModel(
        {.spaceCount = 3,
         .activeIndex = 0,
         .columnCount = 3,
         .cellIconStacks = {{0, {appIcon("a")}}, {1, five}, {2, {appIcon("a"), appIcon("b")}}}});
    EXPECT_EQ(model.cellIconStacks(), (std::map<int64_t, std::vector<OSDGridAppIconEntry>>{
                                          {1, {appIcon("a"), appIcon("b"), appIcon("c")}},
                                          {2, {appIcon("a"), appIcon("b")}}}));
}

TEST(OSDGridModelTest, VirtualDestinationNeverCarriesContent) {
    // An empty title still marks the cell as carrying content, so it is no virtual destination.
    const auto model = makeModel({.spaceCount = 5,
                                  .activeIndex = 0,
                                  .columnCount = 3,
                                  .cellTitles = {{1, ""}},
                                  .cellIcons = {{2, appIcon("x")}},
                                  .placeholderIndices = {3},
                                  .virtualDestinationIndices = {1, 2, 3, 4}});
    EXPECT_EQ(model.virtualDestinationIndices(), (std::set<int64_t>{4}));
    EXPECT_FALSE(model.title(1)) << "empty titles are not stored";
}

TEST(OSDGridModelTest, HeaderTitleOfPlaceholderAndEmptyTitles) {
    OSDGridModel::Fields placeholder{
        .spaceCount = 2, .activeIndex = 1, .title = "Given", .columnCount = 2};
    placeholder.placeholderIndices = {1};
    EXPECT_EQ(makeModel(placeholder).title(), "Empty");
    placeholder.cellTitles = {{1, "Reserved"}};
    EXPECT_EQ(makeModel(placeholder).title(), "Reserved");
    EXPECT_FALSE(makeModel({.spaceCount = 2,
                            .activeIndex = 0,
                            .title = "",
                            .columnCount = 2,
                            .cellTitles = {{0, ""}}})
                     .title());
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
    EXPECT_FALSE(model.appearance(8));
    EXPECT_FALSE(model.appearance(-1));

    const auto activeIcon = model.selectingActiveIndex(3);
    ASSERT_TRUE(activeIcon);
    EXPECT_EQ(activeIcon->appearance(3), Appearance::activeIcon(icon));
    const auto activeFill = model.selectingActiveIndex(6);
    ASSERT_TRUE(activeFill);
    EXPECT_EQ(activeFill->appearance(6), Appearance::activeFill());
}

TEST(OSDGridModelTest, BadgeIcons) {
    const auto a = appIcon("a", Qt::red);
    const auto b = appIcon("b", Qt::green);
    const auto c = appIcon("c", Qt::blue);
    const auto model =
        makeModel({.spaceCount = 4,
                   .activeIndex = 0,
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
        return makeModel({.spaceCount = 2,
                          .activeIndex = 0,
                          .columnCount = 2,
                          .cellScreenshots = {{0, screenshot(color)}}});
    };
    EXPECT_EQ(withPicture(Qt::red), withPicture(Qt::red));
    EXPECT_NE(withPicture(Qt::red), withPicture(Qt::blue));
}

TEST(OSDGridModelTest, SelectingActiveIndexTakesTheHeaderFromTheCell) {
    const auto model = makeModel({.spaceCount = 4,
                                  .activeIndex = 0,
                                  .title = "Header",
                                  .columnCount = 2,
                                  .cellTitles = {{0, "Mail"}, {1, "Code"}},
                                  .placeholderIndices = {3},
                                  .obscuredIndices = {2}});
    EXPECT_FALSE(model.selectingActiveIndex(-1));
    EXPECT_FALSE(model.selectingActiveIndex(4));
    const auto code = model.selectingActiveIndex(1);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->activeIndex(), 1);
    EXPECT_EQ(code->title(), "Code");
    EXPECT_EQ(code->obscuredIndices(), model.obscuredIndices());
    const auto untitled = model.selectingActiveIndex(2);
    const auto placeholder = model.selectingActiveIndex(3);
    const auto same = model.selectingActiveIndex(0);
    ASSERT_TRUE(untitled && placeholder && same);
    EXPECT_FALSE(untitled->title()) << "an untitled cell gives no header";
    EXPECT_EQ(placeholder->title(), "Empty");
    EXPECT_EQ(same->title(), "Mail");
}

TEST(OSDGridModelTest, ReplacingCellWithPlaceholder) {
    const auto model =
        makeModel({.spaceCount = 3,
                   .activeIndex = 1,
                   .title = "Header",
                   .columnCount = 3,
                   .cellTitles = {{1, "Code"}},
                   .cellScreenshots = {{1, screenshot(Qt::red)}, {2, screenshot(Qt::red)}},
                   .cellIcons = {{1, appIcon("code")}},
                   .virtualDestinationIndices = {0},
                   .obscuredIndices = {1, 2}});
    EXPECT_FALSE(model.replacingCellWithPlaceholder(3));
    EXPECT_FALSE(model.replacingCellWithPlaceholder(-1));

    const auto removedActive = model.replacingCellWithPlaceholder(1);
    ASSERT_TRUE(removedActive);
    EXPECT_EQ(removedActive->activeIndex(), 1) << "the removed cell stays active";
    EXPECT_TRUE(removedActive->isPlaceholder(1));
    EXPECT_EQ(removedActive->title(), "Code");
    EXPECT_FALSE(removedActive->isObscured(1));
    EXPECT_TRUE(removedActive->isObscured(2));
    EXPECT_TRUE(removedActive->virtualDestinationIndices().empty());

    const auto removedOther = model.replacingCellWithPlaceholder(2);
    ASSERT_TRUE(removedOther);
    EXPECT_EQ(removedOther->title(), "Header");
}

} // namespace
} // namespace tessarin
