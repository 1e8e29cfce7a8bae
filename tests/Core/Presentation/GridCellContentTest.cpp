#include "Core/Presentation/GridCellContent.h"

#include "Core/Presentation/GridModelDiagnostics.h"
#include "Core/Presentation/OSDPresentationChoice.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

OSDGridAppIconEntry app(const char* name) {
    return OSDGridAppIconEntry{name, name, QImage()};
}

TEST(GridCellContentTest, StacksFollowTheImagesWhenImagesAreWanted) {
    const GridIconStackMap stacks{{0, {app("A"), app("B")}}, {2, {app("C"), app("D")}}};
    EXPECT_EQ(keysOf(resolvedGridAppIconStackMap(stacks, {2}, true, true)), (std::set<int64_t>{2}));
    EXPECT_TRUE(resolvedGridAppIconStackMap(stacks, {}, true, true).empty());
    EXPECT_EQ(keysOf(resolvedGridAppIconStackMap(stacks, {}, false, true)),
              (std::set<int64_t>{0, 2}));
    EXPECT_TRUE(resolvedGridAppIconStackMap(stacks, {2}, false, false).empty());
}

TEST(GridCellContentTest, VisitedCellsWithoutAnIconGetTheFallbackInRangeOnly) {
    const auto merged =
        mergedGridAppIconMap({{0, app("Mail")}, {3, app("Gone")}}, {0, 1, 3}, 3, app("Finder"));
    ASSERT_EQ(keysOf(merged), (std::set<int64_t>{0, 1}));
    EXPECT_EQ(merged.at(0).appDisplayName, "Mail");
    EXPECT_EQ(merged.at(1).appDisplayName, "Finder");
}

TEST(GridModelDiagnosticsTest, TitlesAndIndexesRenderInAscendingOrder) {
    EXPECT_EQ(describeCellTitles({}), "[:]");
    EXPECT_EQ(describeCellTitles({{3, "Space 4"}, {0, "Mail"}}), "[0:Mail | 3:Space 4]");
    EXPECT_EQ((GridModelDiagnostics{"D", "P", 1, 3, {{0, "Mail"}}, {2, 0}, {}, {1}}.line()),
              "grid model display=D previewDisplay=P activeIndex=1 spaceCount=3 titles=[0:Mail] "
              "screenshots=[0, 2] icons=[] obscured=[1]");
}

struct PresentationCase {
    const char* name;
    std::optional<uint32_t> source;
    std::optional<TessarinDirection> direction;
    bool directional;
};

TEST(OSDPresentationChoiceTest, OnlyAMoveFromAnotherCellInAKnownDirectionIsAnimated) {
    OSDGridModel::Fields fields;
    fields.spaceCount = 4;
    fields.activeIndex = 2;
    fields.columnCount = 2;
    fields.virtualDestinationIndices = {3}; // a drop target left from a drag: never animated
    const auto model = OSDGridModel::make(fields);
    ASSERT_TRUE(model);
    const PresentationCase cases[] = {
        {"from cell 1 rightwards", 1, TessarinDirectionRight, true},
        {"no source", std::nullopt, TessarinDirectionRight, false},
        {"no direction", 1, std::nullopt, false},
        {"source is the target", 2, TessarinDirectionRight, false},
        {"source past the grid", 4, TessarinDirectionRight, false},
        {"unknown direction", 1, 7u, false},
    };
    for (const PresentationCase& c : cases) {
        const auto presentation = osdPresentation(model, c.source, c.direction);
        ASSERT_TRUE(presentation) << c.name;
        const auto* transition = presentation->grid.directionalTransition();
        EXPECT_EQ(transition != nullptr, c.directional) << c.name;
        if (transition) {
            EXPECT_TRUE(transition->model.virtualDestinationIndices().empty()) << c.name;
        }
    }
    EXPECT_FALSE(osdPresentation(std::nullopt, 1, TessarinDirectionLeft));
}

} // namespace
} // namespace tessarin
