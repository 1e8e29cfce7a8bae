#include "Core/Fakes/SwitchingWorld.h"
#include "Support/Logger.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::SwitchingWorld;

std::vector<std::string> verificationLines(const ScopedLogCapture& capture) {
    std::vector<std::string> lines;
    for (const std::string& line : capture.messages("SpaceSwitch")) {
        if (line.rfind("space switch verification", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool contains(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

TEST(AppDelegateSwitchVerification, aSwitchTheDockMadeIsConfirmedAfterOnePointOneSeconds) {
    ScopedLogCapture capture;
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(TessarinDirectionRight);

    world.queue.advance(1.05);
    EXPECT_TRUE(verificationLines(capture).empty());
    world.queue.advance(0.1);

    const auto lines = verificationLines(capture);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(contains(lines[0], "outcome=confirmed method=synthetic-dock-gesture "
                                   "context=switch-request key=UUID-A generation=1 target=102"))
        << lines[0];
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids.size(), 0u);
}

TEST(AppDelegateSwitchVerification, aSwitchTheDockIgnoredIsRolledBack) {
    ScopedLogCapture capture;
    SwitchingWorld world;
    world.host.dock().setIgnoresGestures(true);
    world.delegate->currentGridOSDDisplayIdentifier = "UUID-A";

    world.delegate->performSpaceSwitch(TessarinDirectionRight);
    // Right after the post, the predicting readers show the switch as done.
    TessarinSpaceInfo predicted{};
    ASSERT_TRUE(tessarin_get_space_info_for_display_identifier("UUID-A", &predicted));
    EXPECT_EQ(predicted.currentSpaceID, 102u);
    const auto shellCallsBefore = world.seams.shell->calls.size();

    world.queue.advance(1.2);

    const auto lines = verificationLines(capture);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(contains(lines[0], "outcome=rolled-back"));
    EXPECT_EQ(world.current(), 101u);
    ASSERT_TRUE(tessarin_get_space_info_for_display_identifier("UUID-A", &predicted));
    EXPECT_EQ(predicted.currentSpaceID, 101u);
    // Space info, overlays and the visible grid are refreshed from the real state.
    const std::vector<std::string> rollbackRefreshes(world.seams.shell->calls.begin() +
                                                         static_cast<long>(shellCallsBefore),
                                                     world.seams.shell->calls.end());
    EXPECT_EQ(rollbackRefreshes,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids,
              (std::vector<std::optional<std::string>>{std::string("UUID-A")}));
}

TEST(AppDelegateSwitchVerification, aRollBackClearsPredictionsStillRunning) {
    SwitchingWorld world;
    world.host.dock().setIgnoresGestures(true);
    world.delegate->performSpaceSwitch(TessarinDirectionRight);
    world.queue.advance(0.5);
    // A second switch on the other display keeps its own prediction until the first check.
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::string("UUID-B"));
    world.queue.advance(0.7);
    TessarinSpaceInfo predicted{};
    ASSERT_TRUE(tessarin_get_space_info_for_display_identifier("UUID-B", &predicted));
    EXPECT_EQ(predicted.currentSpaceID, 201u);
}

TEST(AppDelegateSwitchVerification, aNewerSwitchOnTheSameDisplaySupersedesTheOlderCheck) {
    ScopedLogCapture capture;
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(TessarinDirectionRight);
    world.queue.advance(0.4);
    world.delegate->performSpaceSwitch(TessarinDirectionRight);
    world.queue.advance(2.0);

    const auto lines = verificationLines(capture);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(contains(lines[0], "outcome=superseded"));
    EXPECT_TRUE(contains(lines[0], "generation=1"));
    EXPECT_TRUE(contains(lines[1], "outcome=confirmed"));
    EXPECT_TRUE(contains(lines[1], "generation=2"));
    EXPECT_EQ(world.current(), 103u);
}

TEST(AppDelegateSwitchVerification, switchesOnOtherDisplaysAreCheckedIndependently) {
    ScopedLogCapture capture;
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::string("UUID-A"));
    world.delegate->performSpaceSwitch(TessarinDirectionRight, std::string("UUID-B"));
    world.queue.advance(2.0);
    const auto lines = verificationLines(capture);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), [](const std::string& line) {
        return contains(line, "outcome=confirmed");
    }));
}

TEST(AppDelegateSwitchVerification, theLogNamesThePostMethodAndContext) {
    EXPECT_EQ(AppDelegate::postMethodLabel(2), "macos27-augmented-dock-gesture");
    EXPECT_EQ(AppDelegate::postMethodLabel(1), "synthetic-dock-gesture");
    EXPECT_EQ(AppDelegate::postMethodLabel(0), "synthetic-dock-gesture");

    ScopedLogCapture capture;
    SwitchingWorld world;
    const auto attempt = world.delegate->beginSpaceSwitchVerificationAttempt(std::string("UUID-A"));
    world.delegate->scheduleSpaceSwitchVerification(
        101, attempt, std::nullopt, 2, AppDelegate::SpaceSwitchVerificationContext::deferredCommit);
    world.queue.advance(1.2);
    const auto lines = verificationLines(capture);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(contains(lines[0], "outcome=confirmed"));
    EXPECT_TRUE(contains(lines[0], "method=macos27-augmented-dock-gesture"));
    EXPECT_TRUE(contains(lines[0], "context=deferred-commit"));
}

TEST(AppDelegateSwitchVerification, aCheckDueAfterTheDelegateIsGoneDoesNothing) {
    ScopedLogCapture capture;
    SwitchingWorld world;
    world.delegate->performSpaceSwitch(TessarinDirectionRight);
    world.delegate.reset();
    world.queue.advance(2.0);
    EXPECT_TRUE(verificationLines(capture).empty());
}

} // namespace
} // namespace tessarin
