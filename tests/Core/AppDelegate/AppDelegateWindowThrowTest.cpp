#include "Core/Fakes/EngineWorld.h"
#include "Core/WindowThrow/FocusedWindowThrowTask.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Seams/MissionControlShortcutOverrideControlling.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::kBuiltInUUID;

constexpr uint16_t kDigit3KeyCode = 20; // Control-3: "Switch to Desktop 3" in the scenario
constexpr uint16_t kDigit5KeyCode = 23;

// Stands in for the input subsystem's override tap, which would swallow the synthetic keys
// while it runs: records when it was stopped.
class RecordingOverrideTap : public MissionControlShortcutOverrideControlling {
public:
    explicit RecordingOverrideTap(EventSystem& events) : events_(events) {}
    void stop() override {
        ++stopCount;
        postedBeforeStop = events_.postedEvents().size();
    }

    int stopCount = 0;
    std::size_t postedBeforeStop = 0;

private:
    EventSystem& events_;
};

// The user drags the "Start Page" window (on Space 4, the built-in display's current one).
class AppDelegateWindowThrowTest : public fakes::EngineTest {
protected:
    void SetUp() override {
        d().missionControlShortcutOverride = overrideTap;
        ASSERT_TRUE(PhysicalWindowDragTracker::shared().start());
        page = world.windowNamed("Start Page");
    }

    FocusedWindowThrowCandidate dragged() {
        const auto candidate = d().captureFocusedWindowThrowCandidate();
        EXPECT_TRUE(candidate.has_value());
        return candidate.value_or(FocusedWindowThrowCandidate{});
    }
    std::optional<FocusedWindowThrowError> throwTo(uint32_t systemIndex,
                                                   std::optional<SpaceID> spaceID = std::nullopt) {
        return d().throwFocusedWindow(dragged(), systemIndex, spaceID, std::string(kBuiltInUUID));
    }
    const FocusedWindowThrowResult* result() {
        if (!d().runningFocusedWindowThrow || !d().runningFocusedWindowThrow->result()) {
            return nullptr;
        }
        return &*d().runningFocusedWindowThrow->result();
    }
    bool logged(LogLevel level, const std::string& text) {
        for (const LogRecord& record : world.logs.records()) {
            if (record.category == "WindowThrow" && record.level == level &&
                record.message.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    auto& hands() { return world.host.events().physical(); }

    std::shared_ptr<RecordingOverrideTap> overrideTap =
        std::make_shared<RecordingOverrideTap>(world.host.events());
    WindowID page = 0;
};

TEST_F(AppDelegateWindowThrowTest, ADraggedWindowLandsOnTheTargetDesktopWithTheDock) {
    world.startDragging();
    EXPECT_EQ(dragged().windowID, page);
    EXPECT_EQ(dragged().sourceSpaceIDs, std::vector<SpaceID>{4});
    EXPECT_EQ(throwTo(2), std::nullopt);
    EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
    EXPECT_EQ(overrideTap->stopCount, 1);
    EXPECT_EQ(overrideTap->postedBeforeStop, 0u) << "the tap goes before the keys are posted";

    // One press of Control-3, key down then key up.
    const auto downs = world.posted(EventType::keyDown);
    const auto ups = world.posted(EventType::keyUp);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].keyCode(), kDigit3KeyCode);
    EXPECT_EQ(downs[0].flags & EventFlags::maskShortcutModifiers, EventFlags::maskControl);
    EXPECT_EQ(ups[0].keyCode(), kDigit3KeyCode);

    world.queue.advance(0.5);
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
    EXPECT_LE(result()->elapsed, 0.4 + 1e-9) << "seen at the first look after the Dock landed";
    EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{5});
    EXPECT_EQ(world.current(kBuiltInUUID), 5u);
    ASSERT_FALSE(world.host.dock().spaceChanges().empty());
    EXPECT_EQ(world.host.dock().spaceChanges().back().carriedWindow, page);

    // The override tap comes back through a new registration; the shell follows the new Space.
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 1);
    EXPECT_EQ(world.seams.shell->calls.front(), "refreshSpaceInfo");
    EXPECT_TRUE(logged(LogLevel::info, "window throw landed"));
    hands().mouseUp({520, 405});
    world.queue.runUntilIdle();
    EXPECT_EQ(d().captureFocusedWindowThrowCandidate(), std::nullopt) << "no press, no candidate";
}

TEST_F(AppDelegateWindowThrowTest, AThrowTheDockDoesNotCarryOutInTimeGivesUpAtThreeSeconds) {
    world.host.dock().setAnimationDuration(5.0);
    world.startDragging();
    ASSERT_EQ(throwTo(2), std::nullopt);
    world.queue.advance(2.95);
    ASSERT_NE(d().runningFocusedWindowThrow, nullptr);
    EXPECT_EQ(result(), nullptr) << "no result while it still looks";
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 0) << "the tap stays away while waiting";

    world.queue.advance(0.05);
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->error, FocusedWindowThrowError::timedOut);
    EXPECT_EQ(result()->pollCount, 30);
    EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{4});
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 1);
    EXPECT_TRUE(logged(LogLevel::error, "window throw failed reason=timed-out"));
}

// A refused throw posts nothing, leaves the override tap running and the window in place.
TEST_F(AppDelegateWindowThrowTest, RefusedThrowsPostNothing) {
    using Error = FocusedWindowThrowError;
    const auto nothing = [](fakes::World&) {};
    // clang-format off
    struct Case { const char* name; std::function<void(fakes::World&)> setUp; uint32_t systemIndex;
                  const char* display; bool earlierPress; Error error; };
    const Case cases[] = {
        // Control-3 would carry the window to Desktop 3 of the built-in display.
        {"display away from the pointer", nothing, 2, fakes::kExternalUUID, false, Error::shortcutUnavailable},
        {"candidate of an earlier press", nothing, 2, kBuiltInUUID, true, Error::noDraggedWindow},
        {"past the last Desktop", nothing, 9, kBuiltInUUID, false, Error::desktopNumberOutOfRange},
        // Last: the shortcut stays disabled for the rest of the test.
        {"disabled Desktop shortcut",
         [](fakes::World& w) { w.host.symbolicHotKeys().setEnabled(SymbolicHotKey::switchToDesktop(3), false); },
         2, kBuiltInUUID, false, Error::shortcutUnavailable},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp(world);
        world.startDragging();
        const FocusedWindowThrowCandidate candidate = dragged();
        if (c.earlierPress) {
            hands().mouseUp({520, 405});
            world.startDragging();
        }
        EXPECT_EQ(
            d().throwFocusedWindow(candidate, c.systemIndex, std::nullopt, std::string(c.display)),
            c.error);
        EXPECT_TRUE(world.host.events().postedEvents().empty());
        EXPECT_EQ(overrideTap->stopCount, 0);
        hands().mouseUp({520, 405});
        world.queue.advance(4);
        EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{4});
        EXPECT_EQ(world.seams.hotkeys->reregisterCount, 0);
    }
}

TEST_F(AppDelegateWindowThrowTest, ADirectJumpWhileDraggingThrowsTheWindowInsteadOfSwitching) {
    world.startDragging();
    d().performSpaceSwitchToIndex(3);
    world.queue.advance(0.5);
    EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{6});
    EXPECT_EQ(world.current(kBuiltInUUID), 6u);
    EXPECT_EQ(world.gestures(), 0u) << "no Dock swipe: the shortcut did it";
}

// A held direct jump while dragging opens the preview; its commit throws the window as long as
// the same press is still dragging, and switches otherwise.
TEST(AppDelegateDeferredThrow, AHeldDirectJumpThrowsOnCommitOnlyWhileTheSamePressDrags) {
    for (const bool released : {false, true}) {
        SCOPED_TRACE(released ? "released" : "still dragging");
        fakes::World world(Scenario::defaultScenario());
        ASSERT_TRUE(PhysicalWindowDragTracker::shared().start());
        const WindowID page = world.windowNamed("Start Page");
        world.startDragging();
        world.d().performSpaceSwitchToIndex(2, std::nullopt, fakes::controlOption(20));
        ASSERT_TRUE(world.d().pendingDeferredWindowThrowCandidate);
        EXPECT_EQ(world.d().pendingDeferredWindowThrowCandidate->windowID, page);
        EXPECT_EQ(world.gestures(), 0u);
        if (released) {
            world.host.events().physical().mouseUp({520, 405});
            world.queue.runUntilIdle();
        }
        world.d().commitDeferredPreviewSession();
        world.queue.advance(3.5);
        EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{released ? 4u : 5u});
        EXPECT_EQ(world.current(kBuiltInUUID), 5u);
        EXPECT_EQ(world.gestures(), released ? 1u : 0u);
        EXPECT_FALSE(world.d().pendingDeferredWindowThrowCandidate);
    }
}

TEST_F(AppDelegateWindowThrowTest, ANewerThrowSupersedesTheOneInFlight) {
    world.startDragging();
    ASSERT_EQ(throwTo(2), std::nullopt);
    const auto first = d().runningFocusedWindowThrow;
    ASSERT_EQ(throwTo(4), std::nullopt);
    ASSERT_TRUE(first->result());
    EXPECT_EQ(first->result()->error, FocusedWindowThrowError::cancelled);

    world.queue.advance(1.0);
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->targetSpaceID, 7u);
    EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{7});
    EXPECT_EQ(world.posted(EventType::keyDown).back().keyCode(), kDigit5KeyCode);
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 1) << "only the throw that ran to its end";
}

TEST_F(AppDelegateWindowThrowTest, ASupersedingThrowThatFailsStillBringsTheOverrideTapBack) {
    world.host.symbolicHotKeys().setEnabled(SymbolicHotKey::switchToDesktop(5), false);
    world.host.dock().setAnimationDuration(5.0);
    world.startDragging();
    ASSERT_EQ(throwTo(2), std::nullopt);
    EXPECT_EQ(overrideTap->stopCount, 1);
    // The first throw's tap stop is undone by the one that ends it, although that one never
    // stopped the tap itself.
    EXPECT_EQ(throwTo(4), FocusedWindowThrowError::shortcutUnavailable);
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 1);
    EXPECT_FALSE(d().focusedWindowThrowStoppedShortcutOverride);
}

TEST_F(AppDelegateWindowThrowTest, CancellingTheHandleAtTerminationEndsThePolling) {
    world.host.dock().setAnimationDuration(5.0);
    world.startDragging();
    ASSERT_EQ(throwTo(2), std::nullopt);
    world.queue.advance(0.15);
    ASSERT_TRUE(d().focusedWindowThrowTask.has_value());
    d().focusedWindowThrowTask->cancel();
    world.queue.advance(0.1);
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->error, FocusedWindowThrowError::cancelled);
    EXPECT_EQ(result()->pollCount, 1);
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 0) << "nothing registered while stopping";
}

TEST_F(AppDelegateWindowThrowTest, DesktopNumbersCountOnlyDesktopsAndTheSpaceIDWins) {
    // 3 and 4 are desktops, 13 a full-screen Space between them and 5.
    const auto desktop = kSpaceTypeUserDesktop;
    // clang-format off
    world.host.windowServer().configureSpaces(true, {
        SpaceList{kBuiltInUUID, {{3, desktop, "a"}, {4, desktop, "b"}, {13, kSpaceTypeFullScreen, "c"}, {5, desktop, "d"}}, 4},
        SpaceList{fakes::kExternalUUID, {{9, desktop, "e"}}, 9}});
    // clang-format on
    world.startDragging();
    EXPECT_EQ(throwTo(2), FocusedWindowThrowError::desktopNumberOutOfRange)
        << "a full-screen Space has no Desktop shortcut";
    // The ID names the target even when the system index is stale.
    ASSERT_EQ(throwTo(0, SpaceID{5}), std::nullopt);
    EXPECT_EQ(world.posted(EventType::keyDown).back().keyCode(), kDigit3KeyCode)
        << "the fourth Space is Desktop 3";
    world.queue.advance(0.5);
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
    EXPECT_EQ(world.spacesOf(page), std::vector<SpaceID>{5});
}

} // namespace
} // namespace tessarin
