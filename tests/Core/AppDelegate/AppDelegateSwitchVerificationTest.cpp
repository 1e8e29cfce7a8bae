#include "Core/Fakes/EngineWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::World;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr TessarinDirection kRight = TessarinDirectionRight;

std::vector<std::string> verifications(World& world) {
    return world.logLines("SpaceSwitch", "space switch verification");
}

SpaceID predictedCurrent(const char* display) {
    TessarinSpaceInfo predicted{};
    EXPECT_TRUE(tessarin_get_space_info_for_display_identifier(display, &predicted));
    return predicted.currentSpaceID;
}

TEST(AppDelegateSwitchVerification, aSwitchTheDockMadeIsConfirmedAfterOnePointOneSeconds) {
    World world;
    world.d().performSpaceSwitch(kRight);
    world.queue.advance(1.05);
    EXPECT_TRUE(verifications(world).empty());
    world.queue.advance(0.1);

    EXPECT_THAT(
        verifications(world),
        ElementsAre(HasSubstr("outcome=confirmed method=synthetic-dock-gesture "
                              "context=switch-request key=UUID-A generation=1 target=102")));
    EXPECT_TRUE(world.seams.presentation->refreshedVisibleGrids.empty());
}

TEST(AppDelegateSwitchVerification, aSwitchTheDockIgnoredIsRolledBack) {
    World world;
    world.host.dock().setIgnoresGestures(true);
    world.d().currentGridOSDDisplayIdentifier = "UUID-A";
    world.d().performSpaceSwitch(kRight);
    // Right after the post, the predicting readers show the switch as done.
    EXPECT_EQ(predictedCurrent("UUID-A"), 102u);
    world.queue.advance(0.5);
    // A second switch on the other display keeps its own prediction until the first check.
    world.d().performSpaceSwitch(kRight, std::string("UUID-B"));
    world.seams.shell->calls.clear();
    world.queue.advance(0.7);

    EXPECT_THAT(verifications(world), ElementsAre(HasSubstr("outcome=rolled-back")));
    EXPECT_EQ(world.current(), 101u);
    EXPECT_EQ(predictedCurrent("UUID-A"), 101u);
    EXPECT_EQ(predictedCurrent("UUID-B"), 201u) << "a roll-back clears every prediction";
    // Space info and overlays are refreshed from the real state (visible grids: see the grid
    // refresh tests).
    EXPECT_EQ(world.seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
}

TEST(AppDelegateSwitchVerification, aNewerSwitchOnTheSameDisplaySupersedesOnlyThatDisplaysCheck) {
    World world;
    world.d().performSpaceSwitch(kRight);
    world.d().performSpaceSwitch(kRight, std::string("UUID-B"));
    world.queue.advance(0.4);
    world.d().performSpaceSwitch(kRight);
    world.queue.advance(2.0);

    const auto line = [](const char* outcome, const char* key) {
        return AllOf(HasSubstr(outcome), HasSubstr(key));
    };
    EXPECT_THAT(verifications(world),
                ElementsAre(line("outcome=superseded", "key=UUID-A generation=1"),
                            line("outcome=confirmed", "key=UUID-B generation=1"),
                            line("outcome=confirmed", "key=UUID-A generation=2")));
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateSwitchVerification, theLogNamesThePostMethodAndContext) {
    EXPECT_EQ(AppDelegate::postMethodLabel(1), "synthetic-dock-gesture");
    World world;
    const auto attempt = world.d().beginSpaceSwitchVerificationAttempt(std::string("UUID-A"));
    world.d().scheduleSpaceSwitchVerification(
        101, attempt, std::nullopt, 2, AppDelegate::SpaceSwitchVerificationContext::deferredCommit);
    world.queue.advance(1.2);
    EXPECT_THAT(verifications(world),
                ElementsAre(HasSubstr("outcome=confirmed method=macos27-augmented-dock-gesture "
                                      "context=deferred-commit")));
}

TEST(AppDelegateSwitchVerification, aCheckDueAfterTheDelegateIsGoneDoesNothing) {
    World world;
    world.d().performSpaceSwitch(kRight);
    world.delegate.reset();
    world.queue.advance(2.0);
    EXPECT_TRUE(verifications(world).empty());
}

} // namespace
} // namespace tessarin
