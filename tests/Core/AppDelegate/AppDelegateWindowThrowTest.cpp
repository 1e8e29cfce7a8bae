#include "Core/AppDelegate/AppDelegateEngineFixture.h"
#include "Core/Seams/MissionControlShortcutOverrideControlling.h"
#include "Core/WindowThrow/FocusedWindowThrowTask.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::AppDelegateEngineFixture;
using testing::kBuiltInUUID;

constexpr uint16_t kDigit3KeyCode = 20; // Control-3: "Switch to Desktop 3" in the scenario
constexpr uint16_t kDigit5KeyCode = 23;

// Stands in for the input subsystem's override tap: a real session tap that swallows the keys
// of the combinations it overrides (here every Control-digit), until it is stopped.
class SwallowingOverrideTap : public MissionControlShortcutOverrideControlling {
public:
    explicit SwallowingOverrideTap(EventSystem& events) : events_(events) {
        tap_ = events.createTap(eventMaskBit(EventType::keyDown) | eventMaskBit(EventType::keyUp),
                                [](uint32_t, const Event& event) -> std::optional<Event> {
                                    if (event.flags & EventFlags::maskControl) {
                                        return std::nullopt;
                                    }
                                    return event;
                                });
    }
    void stop() override {
        ++stopCount;
        postedBeforeStop = events_.postedEvents().size();
        tap_.reset();
    }
    bool isRunning() const { return tap_ != nullptr; }

    int stopCount = 0;
    std::size_t postedBeforeStop = 0;

private:
    EventSystem& events_;
    std::shared_ptr<EventTap> tap_;
};

class AppDelegateWindowThrowTest : public AppDelegateEngineFixture {
protected:
    void SetUp() override {
        makeDelegate();
        overrideTap = std::make_shared<SwallowingOverrideTap>(host.events());
        delegate->missionControlShortcutOverride = overrideTap;
        ASSERT_TRUE(PhysicalWindowDragTracker::shared().start());
        safari = windowNamed("Start Page"); // on Space 4, the built-in display's current one
    }

    // The user presses on the Safari window and drags it a little, keeping the button down.
    void startDragging() {
        hands().mouseDown({500, 400});
        hands().mouseDrag({520, 405});
        settle();
    }

    FocusedWindowThrowCandidate draggedCandidate() {
        const auto candidate = delegate->captureFocusedWindowThrowCandidate();
        EXPECT_TRUE(candidate.has_value());
        return candidate.value_or(FocusedWindowThrowCandidate{});
    }

    const FocusedWindowThrowResult* result() {
        if (!delegate->runningFocusedWindowThrow) {
            return nullptr;
        }
        const auto& value = delegate->runningFocusedWindowThrow->result();
        return value ? &*value : nullptr;
    }

    bool logged(LogLevel level, const std::string& prefix) {
        for (const LogRecord& record : logs.records()) {
            if (record.category == "WindowThrow" && record.level == level &&
                record.message.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<SwallowingOverrideTap> overrideTap;
    WindowID safari = 0;
};

TEST_F(AppDelegateWindowThrowTest, TheCandidateIsTheWindowDraggedBeyondThreePoints) {
    hands().mouseDown({500, 400});
    hands().mouseDrag({502, 401});
    settle();
    EXPECT_EQ(delegate->captureFocusedWindowThrowCandidate(), std::nullopt);
    hands().mouseDrag({520, 405});
    settle();
    const auto candidate = delegate->captureFocusedWindowThrowCandidate();
    ASSERT_TRUE(candidate.has_value());
    EXPECT_EQ(candidate->windowID, safari);
    EXPECT_EQ(candidate->sourceSpaceIDs, std::vector<SpaceID>{4});
    EXPECT_EQ(candidate->mouseDownGeneration,
              PhysicalWindowDragTracker::shared().activeDragGeneration());
    hands().mouseUp({520, 405});
    settle();
    EXPECT_EQ(delegate->captureFocusedWindowThrowCandidate(), std::nullopt);
}

TEST_F(AppDelegateWindowThrowTest, ADraggedWindowLandsOnTheTargetDesktopWithTheDock) {
    startDragging();
    const auto error = delegate->throwFocusedWindow(draggedCandidate(), 2, std::nullopt,
                                                    std::string(kBuiltInUUID));
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(seams.osdWindow->suspendCount, 1);
    EXPECT_EQ(overrideTap->stopCount, 1);
    EXPECT_EQ(overrideTap->postedBeforeStop, 0u) << "the tap goes before the keys are posted";

    // One press of Control-3, key down then key up.
    const auto downs = postedEvents(EventType::keyDown);
    const auto ups = postedEvents(EventType::keyUp);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].keyCode(), kDigit3KeyCode);
    EXPECT_EQ(downs[0].flags & EventFlags::maskShortcutModifiers, EventFlags::maskControl);
    EXPECT_EQ(ups[0].keyCode(), kDigit3KeyCode);

    queue.advance(0.5);
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
    EXPECT_LE(result()->elapsed, 0.4 + 1e-9) << "seen at the first look after the Dock landed";
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{5});
    EXPECT_EQ(currentSpace(kBuiltInUUID), 5u);
    ASSERT_FALSE(dock().spaceChanges().empty());
    EXPECT_EQ(dock().spaceChanges().back().carriedWindow, safari);

    // The override tap comes back through a new registration; the shell and a visible grid
    // follow the new Space.
    EXPECT_EQ(seams.hotkeys->reregisterCount, 1);
    EXPECT_NE(std::find(seams.shell->calls.begin(), seams.shell->calls.end(), "refreshSpaceInfo"),
              seams.shell->calls.end());
    EXPECT_EQ(seams.presentation->refreshedVisibleGrids,
              (std::vector<std::optional<std::string>>{std::string(kBuiltInUUID)}));
    EXPECT_TRUE(logged(LogLevel::info, "window throw started"));
    EXPECT_TRUE(logged(LogLevel::info, "window throw landed"));
}

TEST_F(AppDelegateWindowThrowTest, AThrowTheDockDoesNotCarryOutInTimeGivesUpAtThreeSeconds) {
    dock().setAnimationDuration(5.0);
    startDragging();
    ASSERT_EQ(delegate->throwFocusedWindow(draggedCandidate(), 2, std::nullopt,
                                           std::string(kBuiltInUUID)),
              std::nullopt);
    queue.advance(2.95);
    ASSERT_NE(delegate->runningFocusedWindowThrow, nullptr);
    EXPECT_FALSE(delegate->runningFocusedWindowThrow->isFinished());
    EXPECT_EQ(result(), nullptr) << "no result while it still looks";
    EXPECT_EQ(seams.hotkeys->reregisterCount, 0) << "the override tap stays away while waiting";

    queue.advance(0.05);
    ASSERT_TRUE(delegate->runningFocusedWindowThrow->isFinished());
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->error, FocusedWindowThrowError::timedOut);
    EXPECT_EQ(result()->pollCount, 30);
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{4});
    EXPECT_EQ(seams.hotkeys->reregisterCount, 1);
    EXPECT_TRUE(logged(LogLevel::error, "window throw failed reason=timed-out"));
}

TEST_F(AppDelegateWindowThrowTest, ADisabledDesktopShortcutRefusesTheThrowAndPostsNothing) {
    host.symbolicHotKeys().setEnabled(SymbolicHotKey::switchToDesktop(3), false);
    startDragging();
    EXPECT_EQ(delegate->throwFocusedWindow(draggedCandidate(), 2, std::nullopt,
                                           std::string(kBuiltInUUID)),
              FocusedWindowThrowError::shortcutUnavailable);
    EXPECT_TRUE(host.events().postedEvents().empty());
    EXPECT_EQ(overrideTap->stopCount, 0);
    EXPECT_TRUE(overrideTap->isRunning());
    EXPECT_EQ(seams.hotkeys->reregisterCount, 0);
    queue.advance(4);
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{4});
    EXPECT_TRUE(dock().spaceChanges().empty());
    EXPECT_TRUE(logged(LogLevel::error, "window throw failed reason=shortcut-unavailable"));
}

TEST_F(AppDelegateWindowThrowTest, ASpaceOfADisplayAwayFromThePointerIsNotThrownTo) {
    startDragging(); // on the built-in display
    EXPECT_EQ(delegate->throwFocusedWindow(draggedCandidate(), 2, std::nullopt,
                                           std::string(testing::kExternalUUID)),
              FocusedWindowThrowError::shortcutUnavailable)
        << "Control-3 would carry the window to Desktop 3 of the built-in display";
    EXPECT_TRUE(host.events().postedEvents().empty());
    queue.advance(1);
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{4});
}

TEST_F(AppDelegateWindowThrowTest, ADirectJumpWhileDraggingThrowsTheWindowInsteadOfSwitching) {
    startDragging();
    delegate->performSpaceSwitchToIndex(3);
    queue.advance(0.5);
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{6});
    EXPECT_EQ(currentSpace(kBuiltInUUID), 6u);
    EXPECT_EQ(dock().receivedGestureCount(), 0u) << "no Dock swipe: the shortcut did it";
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
}

TEST_F(AppDelegateWindowThrowTest, ACandidateOfAnEarlierPressIsNotThrown) {
    startDragging();
    const FocusedWindowThrowCandidate stale = draggedCandidate();
    hands().mouseUp({520, 405});
    startDragging(); // a new press: a new generation
    EXPECT_EQ(delegate->throwFocusedWindow(stale, 2, std::nullopt, std::string(kBuiltInUUID)),
              FocusedWindowThrowError::noDraggedWindow);
    EXPECT_TRUE(host.events().postedEvents().empty());
    EXPECT_TRUE(logged(LogLevel::error, "window throw refused reason=no-dragged-window"));
}

TEST_F(AppDelegateWindowThrowTest, ANewerThrowSupersedesTheOneInFlight) {
    startDragging();
    const FocusedWindowThrowCandidate candidate = draggedCandidate();
    ASSERT_EQ(delegate->throwFocusedWindow(candidate, 2, std::nullopt, std::string(kBuiltInUUID)),
              std::nullopt);
    const auto first = delegate->runningFocusedWindowThrow;
    ASSERT_EQ(delegate->throwFocusedWindow(candidate, 4, std::nullopt, std::string(kBuiltInUUID)),
              std::nullopt);
    ASSERT_TRUE(first->isFinished());
    ASSERT_TRUE(first->result());
    EXPECT_EQ(first->result()->error, FocusedWindowThrowError::cancelled);

    queue.advance(1.0);
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
    EXPECT_EQ(result()->targetSpaceID, 7u);
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{7});
    ASSERT_FALSE(postedEvents(EventType::keyDown).empty());
    EXPECT_EQ(postedEvents(EventType::keyDown).back().keyCode(), kDigit5KeyCode);
    EXPECT_EQ(seams.hotkeys->reregisterCount, 1) << "only the throw that ran to its end";
}

TEST_F(AppDelegateWindowThrowTest, ASupersedingThrowThatFailsStillBringsTheOverrideTapBack) {
    host.symbolicHotKeys().setEnabled(SymbolicHotKey::switchToDesktop(5), false);
    dock().setAnimationDuration(5.0);
    startDragging();
    const FocusedWindowThrowCandidate candidate = draggedCandidate();
    ASSERT_EQ(delegate->throwFocusedWindow(candidate, 2, std::nullopt, std::string(kBuiltInUUID)),
              std::nullopt);
    EXPECT_EQ(overrideTap->stopCount, 1);
    // The first throw's tap stop is undone by the one that ends it, although that one never
    // stopped the tap itself.
    EXPECT_EQ(delegate->throwFocusedWindow(candidate, 4, std::nullopt, std::string(kBuiltInUUID)),
              FocusedWindowThrowError::shortcutUnavailable);
    EXPECT_EQ(seams.hotkeys->reregisterCount, 1);
    EXPECT_FALSE(delegate->focusedWindowThrowStoppedShortcutOverride);
}

TEST_F(AppDelegateWindowThrowTest, CancellingTheHandleAtTerminationEndsThePolling) {
    dock().setAnimationDuration(5.0);
    startDragging();
    ASSERT_EQ(delegate->throwFocusedWindow(draggedCandidate(), 2, std::nullopt,
                                           std::string(kBuiltInUUID)),
              std::nullopt);
    queue.advance(0.15);
    ASSERT_TRUE(delegate->focusedWindowThrowTask.has_value());
    delegate->focusedWindowThrowTask->cancel();
    queue.advance(0.1);
    ASSERT_TRUE(delegate->runningFocusedWindowThrow->isFinished());
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->error, FocusedWindowThrowError::cancelled);
    EXPECT_EQ(result()->pollCount, 1);
    EXPECT_EQ(seams.hotkeys->reregisterCount, 0) << "nothing registered while stopping";
}

TEST_F(AppDelegateWindowThrowTest, DesktopNumbersCountOnlyDesktopsNotFullScreenSpaces) {
    // 3 and 4 are desktops, 13 a full-screen Space between them and 5.
    windowServer().configureSpaces(
        true, {SpaceList{kBuiltInUUID,
                         {{3, kSpaceTypeUserDesktop, "a"},
                          {4, kSpaceTypeUserDesktop, "b"},
                          {13, kSpaceTypeFullScreen, "c"},
                          {5, kSpaceTypeUserDesktop, "d"}},
                         4},
               SpaceList{testing::kExternalUUID, {{9, kSpaceTypeUserDesktop, "e"}}, 9}});
    startDragging();
    EXPECT_EQ(delegate->throwFocusedWindow(draggedCandidate(), 2, std::nullopt,
                                           std::string(kBuiltInUUID)),
              FocusedWindowThrowError::desktopNumberOutOfRange)
        << "a full-screen Space has no Desktop shortcut";
    EXPECT_TRUE(host.events().postedEvents().empty());

    ASSERT_EQ(delegate->throwFocusedWindow(draggedCandidate(), 3, std::nullopt,
                                           std::string(kBuiltInUUID)),
              std::nullopt);
    ASSERT_FALSE(postedEvents(EventType::keyDown).empty());
    EXPECT_EQ(postedEvents(EventType::keyDown).back().keyCode(), kDigit3KeyCode)
        << "the fourth Space is Desktop 3";
    queue.advance(0.5);
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{5});
}

TEST_F(AppDelegateWindowThrowTest, TheTargetSpaceIDWinsOverAStaleSystemIndex) {
    startDragging();
    // The layout moved Space 6 to system index 3 meanwhile; the ID names the target.
    ASSERT_EQ(
        delegate->throwFocusedWindow(draggedCandidate(), 1, SpaceID{6}, std::string(kBuiltInUUID)),
        std::nullopt);
    queue.advance(0.5);
    ASSERT_NE(result(), nullptr);
    EXPECT_TRUE(result()->landed());
    EXPECT_EQ(spacesOf(safari), std::vector<SpaceID>{6});
}

} // namespace
} // namespace tessarin
