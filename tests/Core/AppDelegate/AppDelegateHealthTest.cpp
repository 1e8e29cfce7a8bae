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

} // namespace
} // namespace tessarin
