#include "UI/OSD/OSDGridModel.h"

#include "UI/OSD/OSDGridTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::appIcon;
using testing::makeModel;
using testing::plainModel;
using testing::screenshot;
using Kind = OSDGridCellAppearance::Kind;

struct RejectedShape {
    const char* name;
    int64_t spaceCount;
    int64_t activeIndex;
    int64_t columnCount;
};

class OSDGridModelRejectsShape : public ::testing::TestWithParam<RejectedShape> {};

TEST_P(OSDGridModelRejectsShape, YieldsNoModel) {
    const RejectedShape& shape = GetParam();
    EXPECT_FALSE(OSDGridModel::make({.spaceCount = shape.spaceCount,
                                     .activeIndex = shape.activeIndex,
                                     .columnCount = shape.columnCount})
                     .has_value());
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, OSDGridModelRejectsShape,
                         ::testing::Values(RejectedShape{"zeroSpaces", 0, 0, 3},
                                           RejectedShape{"negativeSpaces", -2, 0, 3},
                                           RejectedShape{"oneColumn", 4, 0, 1},
                                           RejectedShape{"fiveColumns", 4, 0, 5},
                                           RejectedShape{"activeAtCount", 4, 4, 3},
                                           RejectedShape{"negativeActive", 4, -1, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OSDGridModelTest, AcceptsEveryColumnCountFromTwoToFour) {
    for (int64_t columns = 2; columns <= 4; ++columns) {
        EXPECT_TRUE(
            OSDGridModel::make({.spaceCount = 1, .activeIndex = 0, .columnCount = columns}));
    }
}

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
    EXPECT_TRUE(model.isPlaceholder(2));
    EXPECT_EQ(model.title(2), "Notes");
    EXPECT_FALSE(model.cellScreenshots().contains(2));
    EXPECT_FALSE(model.icon(2));
    EXPECT_FALSE(model.cellIconStacks().contains(2));
    EXPECT_FALSE(model.isObscured(2));
    EXPECT_EQ(model.appearance(2)->kind(), Kind::emptyPlaceholder);
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
    const auto model =
        makeModel({.spaceCount = 3,
                   .activeIndex = 0,
                   .columnCount = 3,
                   .cellIconStacks = {
                       {0, {appIcon("a")}},
                       {1, {appIcon("a"), appIcon("b"), appIcon("c"), appIcon("d"), appIcon("e")}},
                       {2, {appIcon("a"), appIcon("b")}}}});
    EXPECT_FALSE(model.cellIconStacks().contains(0));
    ASSERT_TRUE(model.cellIconStacks().contains(1));
    EXPECT_EQ(model.cellIconStacks().at(1),
              (std::vector{appIcon("a"), appIcon("b"), appIcon("c")}));
    EXPECT_EQ(model.cellIconStacks().at(2).size(), 2u);
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
    EXPECT_EQ(model.appearance(4)->kind(), Kind::virtualDestination);
    EXPECT_EQ(model.appearance(3)->kind(), Kind::emptyPlaceholder);
}

TEST(OSDGridModelTest, HeaderTitleOfPlaceholderAndEmptyTitles) {
    const auto untitledPlaceholder = makeModel({.spaceCount = 2,
                                                .activeIndex = 1,
                                                .title = "Given",
                                                .columnCount = 2,
                                                .placeholderIndices = {1}});
    EXPECT_EQ(untitledPlaceholder.title(), "Empty");

    const auto titledPlaceholder = makeModel({.spaceCount = 2,
                                              .activeIndex = 1,
                                              .title = "Given",
                                              .columnCount = 2,
                                              .cellTitles = {{1, "Reserved"}},
                                              .placeholderIndices = {1}});
    EXPECT_EQ(titledPlaceholder.title(), "Reserved");

    const auto emptyTitle = makeModel({.spaceCount = 2,
                                       .activeIndex = 0,
                                       .title = "",
                                       .columnCount = 2,
                                       .cellTitles = {{0, ""}}});
    EXPECT_FALSE(emptyTitle.title().has_value());
}

TEST(OSDGridModelTest, AppearanceOfEveryKindOfCell) {
    const auto picture = screenshot(Qt::green);
    const auto icon = appIcon("mail");
    const auto model = makeModel({.spaceCount = 8,
                                  .activeIndex = 1,
                                  .columnCount = 4,
                                  .cellScreenshots = {{0, picture}, {1, picture}},
                                  .cellIcons = {{0, icon}, {2, icon}, {3, icon}},
                                  .placeholderIndices = {4},
                                  .virtualDestinationIndices = {5}});
    EXPECT_EQ(model.appearance(0), OSDGridCellAppearance::inactiveScreenshot(picture));
    EXPECT_EQ(model.appearance(1), OSDGridCellAppearance::activeScreenshot(picture));
    EXPECT_EQ(model.appearance(2), OSDGridCellAppearance::inactiveIcon(icon));
    EXPECT_EQ(model.appearance(4), OSDGridCellAppearance::emptyPlaceholder());
    EXPECT_EQ(model.appearance(5), OSDGridCellAppearance::virtualDestination());
    EXPECT_EQ(model.appearance(6), OSDGridCellAppearance::inactivePlaceholder());
    EXPECT_FALSE(model.appearance(8));
    EXPECT_FALSE(model.appearance(-1));

    const auto activeIcon = *model.selectingActiveIndex(3);
    EXPECT_EQ(activeIcon.appearance(3), OSDGridCellAppearance::activeIcon(icon));
    const auto activeFill = *model.selectingActiveIndex(6);
    EXPECT_EQ(activeFill.appearance(6), OSDGridCellAppearance::activeFill());
}

TEST(OSDGridModelTest, ObscuringIsNoAppearance) {
    const auto picture = screenshot(Qt::green);
    const auto model = makeModel({.spaceCount = 2,
                                  .activeIndex = 0,
                                  .columnCount = 2,
                                  .cellScreenshots = {{1, picture}},
                                  .obscuredIndices = {1}});
    EXPECT_TRUE(model.isObscured(1));
    EXPECT_EQ(model.appearance(1), OSDGridCellAppearance::inactiveScreenshot(picture));
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
    EXPECT_TRUE(model.badgeIcons(3).empty());
    EXPECT_TRUE(model.badgeIcons(9).empty());
}

TEST(OSDGridModelTest, EqualityComparesImagesByContent) {
    const auto red = makeModel({.spaceCount = 2,
                                .activeIndex = 0,
                                .columnCount = 2,
                                .cellScreenshots = {{0, screenshot(Qt::red)}}});
    const auto sameRed = makeModel({.spaceCount = 2,
                                    .activeIndex = 0,
                                    .columnCount = 2,
                                    .cellScreenshots = {{0, screenshot(Qt::red)}}});
    const auto blue = makeModel({.spaceCount = 2,
                                 .activeIndex = 0,
                                 .columnCount = 2,
                                 .cellScreenshots = {{0, screenshot(Qt::blue)}}});
    EXPECT_EQ(red, sameRed);
    EXPECT_NE(red, blue);
}

TEST(OSDGridModelTest, SelectingActiveIndex) {
    const auto model = makeModel({.spaceCount = 4,
                                  .activeIndex = 0,
                                  .title = "Header",
                                  .columnCount = 2,
                                  .cellTitles = {{0, "Mail"}, {1, "Code"}},
                                  .cellIcons = {{1, appIcon("code")}},
                                  .placeholderIndices = {3},
                                  .obscuredIndices = {2}});
    EXPECT_FALSE(model.selectingActiveIndex(-1));
    EXPECT_FALSE(model.selectingActiveIndex(4));

    const auto code = *model.selectingActiveIndex(1);
    EXPECT_EQ(code.activeIndex(), 1);
    EXPECT_EQ(code.title(), "Code");
    EXPECT_EQ(code.cellIcons(), model.cellIcons());
    EXPECT_EQ(code.obscuredIndices(), model.obscuredIndices());

    EXPECT_FALSE(model.selectingActiveIndex(2)->title()) << "an untitled cell gives no header";
    EXPECT_EQ(model.selectingActiveIndex(3)->title(), "Empty");

    const auto same = *model.selectingActiveIndex(0);
    EXPECT_EQ(same.title(), "Mail") << "the header is taken from the cell title";
    EXPECT_NE(same, model);
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

    const auto removedActive = *model.replacingCellWithPlaceholder(1);
    EXPECT_EQ(removedActive.activeIndex(), 1) << "the removed cell stays active";
    EXPECT_TRUE(removedActive.isPlaceholder(1));
    EXPECT_EQ(removedActive.title(), "Code");
    EXPECT_EQ(removedActive.title(1), "Code");
    EXPECT_FALSE(removedActive.cellScreenshots().contains(1));
    EXPECT_FALSE(removedActive.icon(1));
    EXPECT_FALSE(removedActive.isObscured(1));
    EXPECT_TRUE(removedActive.isObscured(2));
    EXPECT_TRUE(removedActive.virtualDestinationIndices().empty());

    const auto removedOther = *model.replacingCellWithPlaceholder(2);
    EXPECT_EQ(removedOther.title(), "Header");
    const auto untitled = *removedOther.selectingActiveIndex(0)->replacingCellWithPlaceholder(0);
    EXPECT_EQ(untitled.title(), "Empty");
}

} // namespace
} // namespace tessarin
