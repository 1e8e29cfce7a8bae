#include "Core/AppDelegate/AppDelegateEngineFixture.h"
#include "Hotkeys/HotkeyCombination.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

HotkeyCombination controlOptionThree() {
    HotkeyCombination combination;
    combination.keyCode = 20;
    combination.modifiers = HotkeyModifier::control | HotkeyModifier::option;
    return combination;
}

// A held direct jump while a window is dragged by hand: the preview opens, and its commit throws
// the window instead of switching, as long as the same press is still dragging.
class AppDelegateDeferredThrowTest : public testing::AppDelegateEngineFixture {
protected:
    void SetUp() override {
        makeDelegate();
        ASSERT_TRUE(PhysicalWindowDragTracker::shared().start());
        startPage = windowNamed("Start Page"); // on Space 4, the built-in display's current one
    }
    void startDragging() {
        hands().mouseDown({500, 400});
        hands().mouseDrag({520, 405});
        settle();
    }

    WindowID startPage = 0;
};

TEST_F(AppDelegateDeferredThrowTest, theCommitThrowsTheWindowStillDragged) {
    startDragging();
    delegate->performSpaceSwitchToIndex(2, std::nullopt, controlOptionThree());
    ASSERT_TRUE(delegate->pendingDeferredWindowThrowCandidate);
    EXPECT_EQ(delegate->pendingDeferredWindowThrowCandidate->windowID, startPage);
    EXPECT_TRUE(postedEvents(EventType::dockGesture).empty());

    delegate->commitDeferredPreviewSession();
    queue.advance(3.5);

    EXPECT_EQ(spacesOf(startPage), std::vector<SpaceID>{5});
    EXPECT_TRUE(postedEvents(EventType::dockGesture).empty());
    EXPECT_FALSE(delegate->pendingDeferredWindowThrowCandidate);
}

TEST_F(AppDelegateDeferredThrowTest, aCandidateOfAnEndedPressSwitchesInstead) {
    startDragging();
    delegate->performSpaceSwitchToIndex(2, std::nullopt, controlOptionThree());
    ASSERT_TRUE(delegate->pendingDeferredWindowThrowCandidate);
    hands().mouseUp({520, 405});
    settle();

    delegate->commitDeferredPreviewSession();
    queue.advance(1.5);

    EXPECT_EQ(spacesOf(startPage), std::vector<SpaceID>{4});
    EXPECT_EQ(currentSpace(testing::kBuiltInUUID), 5u);
}

} // namespace
} // namespace tessarin
