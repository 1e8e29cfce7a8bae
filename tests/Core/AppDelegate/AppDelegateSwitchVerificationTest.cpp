#include "Core/Fakes/EngineWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::World;

constexpr TessarinDirection kRight = TessarinDirectionRight;

std::vector<std::string> verifications(World& world) {
    return world.logLines("SpaceSwitch", "space switch verification");
}

bool contains(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
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

    const auto lines = verifications(world);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(contains(lines[0], "outcome=confirmed method=synthetic-dock-gesture "
                                   "context=switch-request key=UUID-A generation=1 target=102"))
        << lines[0];
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

    const auto lines = verifications(world);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(contains(lines[0], "outcome=rolled-back"));
    EXPECT_EQ(world.current(), 101u);
    EXPECT_EQ(predictedCurrent("UUID-A"), 101u);
    EXPECT_EQ(predictedCurrent("UUID-B"), 201u) << "a roll-back clears every prediction";
    // Space info, overlays and the visible grid are refreshed from the real state.
    EXPECT_EQ(world.seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids,
              (std::vector<std::optional<std::string>>{std::string("UUID-A")}));
}

TEST(AppDelegateSwitchVerification, aNewerSwitchOnTheSameDisplaySupersedesOnlyThatDisplaysCheck) {
    World world;
    world.d().performSpaceSwitch(kRight);
    world.d().performSpaceSwitch(kRight, std::string("UUID-B"));
    world.queue.advance(0.4);
    world.d().performSpaceSwitch(kRight);
    world.queue.advance(2.0);

    const auto lines = verifications(world);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(contains(lines[0], "outcome=superseded")) << lines[0];
    EXPECT_TRUE(contains(lines[0], "key=UUID-A generation=1")) << lines[0];
    EXPECT_TRUE(contains(lines[1], "outcome=confirmed")) << lines[1];
    EXPECT_TRUE(contains(lines[1], "key=UUID-B generation=1")) << lines[1];
    EXPECT_TRUE(contains(lines[2], "outcome=confirmed")) << lines[2];
    EXPECT_TRUE(contains(lines[2], "key=UUID-A generation=2")) << lines[2];
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateSwitchVerification, theLogNamesThePostMethodAndContext) {
    EXPECT_EQ(AppDelegate::postMethodLabel(1), "synthetic-dock-gesture");
    World world;
    const auto attempt = world.d().beginSpaceSwitchVerificationAttempt(std::string("UUID-A"));
    world.d().scheduleSpaceSwitchVerification(
        101, attempt, std::nullopt, 2, AppDelegate::SpaceSwitchVerificationContext::deferredCommit);
    world.queue.advance(1.2);
    const auto lines = verifications(world);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(contains(lines[0], "outcome=confirmed method=macos27-augmented-dock-gesture "
                                   "context=deferred-commit"))
        << lines[0];
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
