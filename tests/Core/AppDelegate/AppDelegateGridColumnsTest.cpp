#include "Core/AppDelegate/AppDelegateEngineFixture.h"
#include "Core/Settings/DisplaySettingsScope.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

using testing::AppDelegateEngineFixture;
using testing::kBuiltInUUID;
using testing::kExternalUUID;

// The built-in display with eight Spaces; position n (from 1) is the n-th of these.
constexpr SpaceID kBuiltInSpaces[] = {3, 4, 5, 6, 7, 8, 13, 14};

struct ColumnOverride {
    const char* displayIdentifier;
    GridColumnCount count;
};

// A neighbour move on the built-in display, edges blocking.
struct ColumnsCase {
    const char* name;
    GridColumnCount global;
    std::optional<ColumnOverride> displayOverride;
    int start; // position, from 1
    TessarinDirection direction;
    int expected; // the start again: blocked
};

void PrintTo(const ColumnsCase& c, std::ostream* out) {
    *out << c.name;
}

Scenario eightSpacesStartingAt(int position) {
    Scenario scenario = Scenario::defaultScenario();
    ScenarioSpaceList& builtIn = scenario.spaceLists.front();
    builtIn.spaces.push_back({13, kSpaceTypeUserDesktop, "", std::nullopt});
    builtIn.spaces.push_back({14, kSpaceTypeUserDesktop, "", std::nullopt});
    builtIn.currentSpace = kBuiltInSpaces[position - 1];
    return scenario;
}

class AppDelegateGridColumnsTest : public AppDelegateEngineFixture,
                                   public ::testing::WithParamInterface<ColumnsCase> {
protected:
    AppDelegateGridColumnsTest()
        : AppDelegateEngineFixture(eightSpacesStartingAt(GetParam().start)) {}
};

TEST_P(AppDelegateGridColumnsTest, NeighbourMovesUseTheDisplaysColumnCount) {
    const ColumnsCase& c = GetParam();
    makeDelegate();
    GridModeStore& grid = delegate->gridModeStore;
    grid.setColumnCount(c.global, DisplaySettingsScope::global());
    grid.setBlocksAtEdges(true, DisplaySettingsScope::global());
    if (c.displayOverride) {
        grid.setColumnCount(c.displayOverride->count,
                            DisplaySettingsScope::display(c.displayOverride->displayIdentifier));
    }

    delegate->performSpaceSwitch(c.direction);
    queue.advance(0.5);

    EXPECT_EQ(currentSpace(kBuiltInUUID), kBuiltInSpaces[c.expected - 1]);
}

constexpr auto kRight = TessarinDirectionRight;
constexpr auto kDown = TessarinDirectionDown;
constexpr auto kTwo = GridColumnCount::two;
constexpr auto kFour = GridColumnCount::four;

INSTANTIATE_TEST_SUITE_P(
    Rows, AppDelegateGridColumnsTest,
    ::testing::Values(
        ColumnsCase{"fourColumnsDownFromTheFirstReachesTheFifth", kFour, std::nullopt, 1, kDown, 5},
        ColumnsCase{"fourColumnsRightFromTheSecondStaysInTheRow", kFour, std::nullopt, 2, kRight,
                    3},
        ColumnsCase{"twoColumnsDownFromTheFirstReachesTheThird", kTwo, std::nullopt, 1, kDown, 3},
        ColumnsCase{"twoColumnsRightFromTheSecondIsBlocked", kTwo, std::nullopt, 2, kRight, 2},
        ColumnsCase{"displayOverrideOfFourBeatsGlobalTwo", kTwo,
                    ColumnOverride{kBuiltInUUID, kFour}, 1, kDown, 5},
        ColumnsCase{"otherDisplaysOverrideLeavesGlobalTwo", kTwo,
                    ColumnOverride{kExternalUUID, kFour}, 1, kDown, 3}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
