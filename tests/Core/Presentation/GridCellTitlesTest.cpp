#include "Core/Presentation/GridCellTitles.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Three cells: Spaces 11 and 12, then a placeholder; system order 12, 11.
DisplaySpaceOrderSnapshot threeCells() {
    return DisplaySpaceOrderSnapshot::make("D", {12, 11},
                                           {DisplaySpaceSlot::realSpace(11),
                                            DisplaySpaceSlot::realSpace(12),
                                            DisplaySpaceSlot::makePlaceholder()},
                                           11);
}

struct TitleCase {
    const char* name;
    std::function<void(GridCellTitleSources&)> adjust;
    std::map<int64_t, std::string> expected;
};

TEST(GridCellTitlesTest, TheFirstNonBlankSourceTitlesEachCell) {
    const DisplaySpaceOrderSnapshot snapshot = threeCells();
    const TitleCase cases[] = {
        {"nothing known: Space and the cell number",
         [](GridCellTitleSources&) {},
         {{0, "Space 1"}, {1, "Space 2"}}},
        {"the system's title of the system index",
         [](GridCellTitleSources& s) {
             s.systemTitle = [](int systemIndex) {
                 return systemIndex == 0 ? std::optional<std::string>(" Mail ") : std::nullopt;
             };
         },
         {{0, "Space 1"}, {1, "Mail"}}},
        {"a blank window title gives way to the app name",
         [](GridCellTitleSources& s) {
             static const std::map<int64_t, OSDGridSpaceTitleEntry> entries{
                 {0, {std::string("   "), std::string("Editor")}},
                 {1, {std::string("Draft"), std::string("Editor")}}};
             s.cachedTitleEntries = &entries;
         },
         {{0, "Editor"}, {1, "Draft"}}},
        {"slot names win, also on a placeholder",
         [](GridCellTitleSources& s) {
             s.customNames = {{1, "Work"}, {2, "Later"}};
             s.obscuredIndices = {1};
         },
         {{0, "Space 1"}, {1, "Work"}, {2, "Later"}}},
    };
    for (const TitleCase& c : cases) {
        GridCellTitleSources sources;
        sources.cellCount = 3;
        sources.snapshot = &snapshot;
        c.adjust(sources);
        EXPECT_EQ(resolveGridCellTitles(sources), c.expected) << c.name;
    }
}

} // namespace
} // namespace tessarin
