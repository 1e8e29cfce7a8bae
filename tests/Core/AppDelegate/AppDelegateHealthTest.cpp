#include "Core/Fakes/EngineWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Mode = TessarinHealthCheckPresentationMode;
using Presentation = TessarinHealthLaunchPresentation;

TEST(AppDelegateHealth, StartUpShowsWhatTheLaunchDecisionAnswers) {
    const std::pair<Presentation, std::vector<Mode>> cases[] = {
        {Presentation::none, {}},
        {Presentation::setup, {Mode::setup}},
        {Presentation::allSet, {Mode::allSet}},
    };
    for (const auto& [answer, expected] : cases) {
        fakes::World world;
        world.seams.healthWindow->launchAnswer = answer;
        world.d().presentHealthCheckAtLaunch();
        EXPECT_EQ(world.seams.healthWindow->launchQuestions, 1);
        EXPECT_EQ(world.seams.healthWindow->presented, expected);
    }
}

// The simulated system keeps its Mission Control shortcuts on the Control-arrow keys.
TEST(AppDelegateHealth, ThePracticeStateTellsWhetherThePresetIsInUse) {
    std::function<TessarinSpacePracticeState()> provider;
    {
        fakes::World world;
        provider = world.d().spacePracticeStateProvider();
        EXPECT_EQ(provider(), (TessarinSpacePracticeState{false, true})); // applied now
        EXPECT_EQ(provider(), (TessarinSpacePracticeState{false, true})); // still in use
        world.d().hotkeyStore.resetToDefaults(HotkeyScope::cursorDisplay());
        EXPECT_EQ(provider(), (TessarinSpacePracticeState{false, false}));
    }
    EXPECT_EQ(provider(), (TessarinSpacePracticeState{true, false}));
}

} // namespace
} // namespace tessarin
