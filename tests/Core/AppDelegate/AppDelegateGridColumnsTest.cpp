#include "Core/Fakes/EngineWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::kBuiltInUUID;

// Neighbour moves on the built-in display with eight Spaces (position n, from 1, is the n-th of
// kSpaces), edges blocking: the display's column count decides the rows.
TEST(AppDelegateGridColumns, NeighbourMovesUseTheDisplaysColumnCount) {
    constexpr SpaceID kSpaces[] = {3, 4, 5, 6, 7, 8, 13, 14};
    constexpr auto kRight = TessarinDirectionRight;
    constexpr auto kDown = TessarinDirectionDown;
    constexpr auto kTwo = GridColumnCount::two;
    constexpr auto kFour = GridColumnCount::four;
    struct Case {
        const char* name;
        GridColumnCount global;
        std::optional<std::pair<const char*, GridColumnCount>> displayOverride;
        int start;
        TessarinDirection direction;
        int expected; // the start again: blocked
    };
    const Case cases[] = {
        {"four columns, down from the first", kFour, {}, 1, kDown, 5},
        {"four columns, right from the second", kFour, {}, 2, kRight, 3},
        {"two columns, down from the first", kTwo, {}, 1, kDown, 3},
        {"two columns, right from the second is blocked", kTwo, {}, 2, kRight, 2},
        {"display's four beats global two", kTwo, {{kBuiltInUUID, kFour}}, 1, kDown, 5},
        {"other display's four leaves global two",
         kTwo,
         {{fakes::kExternalUUID, kFour}},
         1,
         kDown,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scenario scenario = Scenario::defaultScenario();
        scenario.spaceLists.front().spaces.push_back({13, kSpaceTypeUserDesktop, "", {}});
        scenario.spaceLists.front().spaces.push_back({14, kSpaceTypeUserDesktop, "", {}});
        scenario.spaceLists.front().currentSpace = kSpaces[c.start - 1];
        fakes::World world(scenario);
        world.grid().setColumnCount(c.global, DisplaySettingsScope::global());
        world.grid().setBlocksAtEdges(true, DisplaySettingsScope::global());
        if (c.displayOverride) {
            world.grid().setColumnCount(c.displayOverride->second,
                                        DisplaySettingsScope::display(c.displayOverride->first));
        }
        world.d().performSpaceSwitch(c.direction);
        world.settle();
        EXPECT_EQ(world.current(kBuiltInUUID), kSpaces[c.expected - 1]);
    }
}

} // namespace
} // namespace tessarin
