#include "Core/WindowThrow/FocusedWindowThrowTask.h"

#include "Platform/Input/Event.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr SpaceID kSource = 11;
constexpr SpaceID kTarget = 12;
constexpr WindowID kWindow = 7;
const FocusedWindowThrowShortcut kControl2{19, EventFlags::maskControl};

// Records what the task did, in order, and plays the window server's part.
class FocusedWindowThrowTaskTest : public ::testing::Test {
protected:
    FocusedWindowThrowTask::Collaborators collaborators() {
        FocusedWindowThrowTask::Collaborators c;
        c.switchToDesktopShortcut = [this](int desktopNumber) {
            calls.push_back("shortcut " + std::to_string(desktopNumber));
            return shortcut;
        };
        c.suspendShortcutOverride = [this] { calls.push_back("suspend"); };
        c.postEvent = [this](const Event& event) {
            calls.push_back(event.type == EventType::keyDown ? "keyDown" : "keyUp");
            posted.push_back(event);
            return postSucceeds;
        };
        c.spacesForWindow = [this](WindowID windowID) -> std::optional<std::vector<SpaceID>> {
            ++looks;
            EXPECT_EQ(windowID, kWindow);
            return windowSpaces;
        };
        c.isCancelled = [this] { return tokenCancelled; };
        return c;
    }

    std::shared_ptr<FocusedWindowThrowTask> start(int desktopNumber = 2) {
        FocusedWindowThrowRequest request;
        request.candidate = FocusedWindowThrowCandidate{kWindow, 501, 4, {kSource}};
        request.desktopNumber = desktopNumber;
        request.targetSpaceID = kTarget;
        return FocusedWindowThrowTask::start(
            request, collaborators(), {}, queue,
            [this](const FocusedWindowThrowResult& result) { results.push_back(result); });
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    std::optional<FocusedWindowThrowShortcut> shortcut = kControl2;
    bool postSucceeds = true;
    bool tokenCancelled = false;
    std::optional<std::vector<SpaceID>> windowSpaces = std::vector<SpaceID>{kSource};
    std::vector<std::string> calls;
    std::vector<Event> posted;
    int looks = 0;
    std::vector<FocusedWindowThrowResult> results;
};

TEST_F(FocusedWindowThrowTaskTest, PressesTheShortcutOnceAfterTakingTheOverrideTapAway) {
    auto task = start(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"shortcut 2", "suspend", "keyDown", "keyUp"}));
    ASSERT_EQ(posted.size(), 2u);
    for (const Event& event : posted) {
        EXPECT_EQ(event.keyCode(), kControl2.virtualKeyCode);
        EXPECT_EQ(event.flags, kControl2.modifierFlags);
        EXPECT_FALSE(event.isAutorepeat());
    }
    EXPECT_TRUE(results.empty());
    EXPECT_FALSE(task->isFinished());
}

TEST_F(FocusedWindowThrowTaskTest, AWindowThatCannotBeReadIsLookedAtAgain) {
    windowSpaces = std::nullopt;
    auto task = start();
    queue.advance(0.5);
    EXPECT_TRUE(results.empty());
    windowSpaces = std::vector<SpaceID>{kSource, kTarget};
    queue.advance(0.1);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].landed());
    EXPECT_EQ(results[0].pollCount, 6);
    EXPECT_EQ(results[0].finalSpaceIDs, (std::vector<SpaceID>{kSource, kTarget}));
    queue.advance(5);
    EXPECT_EQ(looks, 6) << "no look after landing";
}

TEST_F(FocusedWindowThrowTaskTest, ARefusedThrowEndsAtOnceWithItsReason) {
    using Error = FocusedWindowThrowError;
    using Calls = std::vector<std::string>;
    // clang-format off
    struct Case { const char* name; int desktopNumber; bool hasShortcut, postSucceeds; Error error; Calls calls; };
    const Case cases[] = {
        {"desktop 0", 0, true, true, Error::desktopNumberOutOfRange, {}},
        {"desktop 17", 17, true, true, Error::desktopNumberOutOfRange, {}},
        {"no shortcut", 3, false, true, Error::shortcutUnavailable, {"shortcut 3"}},
        // The key up still goes out, so no key is left held down.
        {"post refused", 16, true, false, Error::postFailed, {"shortcut 16", "suspend", "keyDown", "keyUp"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        results.clear();
        shortcut = c.hasShortcut ? std::optional(kControl2) : std::nullopt;
        postSucceeds = c.postSucceeds;
        auto task = start(c.desktopNumber);
        ASSERT_EQ(results.size(), 1u) << "finished before start returned";
        EXPECT_EQ(results[0].error, c.error);
        EXPECT_EQ(results[0].pollCount, 0);
        EXPECT_EQ(calls, c.calls);
        queue.advance(4);
        EXPECT_EQ(looks, 0);
        EXPECT_EQ(results.size(), 1u);
    }
}

TEST_F(FocusedWindowThrowTaskTest, CancellingEndsItOnceAndStopsLooking) {
    auto task = start();
    queue.advance(0.15);
    task->cancel();
    task->cancel();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].error, FocusedWindowThrowError::cancelled);
    EXPECT_EQ(results[0].pollCount, 1);
    queue.advance(4);
    EXPECT_EQ(looks, 1);
    EXPECT_EQ(results.size(), 1u);

    // A task its owner gave up stops silently.
    start().reset();
    queue.advance(4);
    EXPECT_EQ(looks, 1);
    EXPECT_EQ(results.size(), 1u);
}

} // namespace
} // namespace tessarin
