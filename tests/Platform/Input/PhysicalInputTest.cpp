#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/EventSystem.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <vector>

namespace tessarin {
namespace {

constexpr uint64_t kControlOption = EventFlags::maskControl | EventFlags::maskAlternate;

class PhysicalInputTest : public ::testing::Test {
protected:
    std::vector<Event> delivered() {
        queue.runUntilIdle();
        std::vector<Event> result(events.frontApplicationEvents().begin(),
                                  events.frontApplicationEvents().end());
        events.clearFrontApplicationEvents();
        return result;
    }

    VirtualMainQueue queue;
    EventSystem events{queue};
    PhysicalInput& input = events.physical();
};

TEST_F(PhysicalInputTest, KeyPressIsKeyDownThenKeyUpWithItsModifiersAndCharacters) {
    input.pressKey(0, EventFlags::maskCommand);
    input.keyDown(124, EventFlags::maskControl);
    input.keyDown(124, EventFlags::maskControl, true);
    const auto seen = delivered();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].type, EventType::keyDown);
    EXPECT_EQ(seen[1].type, EventType::keyUp);
    EXPECT_EQ(seen[1].flags, EventFlags::maskCommand);
    EXPECT_FALSE(seen[2].isAutorepeat());
    EXPECT_TRUE(seen[3].isAutorepeat());
    // Arrow keys carry the function and numeric-pad flags.
    EXPECT_EQ(seen[2].flags,
              EventFlags::maskControl | EventFlags::maskSecondaryFn | EventFlags::maskNumericPad);
    EXPECT_EQ(events.flagsState(), 0u);         // the modifiers of a press are not left held
    EXPECT_TRUE(events.postedEvents().empty()); // not recorded as posted by the program
}

TEST_F(PhysicalInputTest, HeldModifiersShowInStateAndInFlagsChangedEvents) {
    input.holdModifiers(kControlOption);
    input.holdModifiers(EventFlags::maskControl);   // already held: nothing posted
    EXPECT_EQ(events.flagsState(), kControlOption); // at once, before any event travels
    input.pressKey(18, EventFlags::maskCommand);
    input.releaseModifiers(EventFlags::maskAlternate);
    EXPECT_EQ(events.flagsState(), EventFlags::maskControl);
    input.releaseAllModifiers();

    std::vector<std::pair<uint32_t, uint64_t>> typesAndFlags;
    for (const auto& event : delivered()) {
        typesAndFlags.emplace_back(event.type, event.flags);
    }
    const std::vector<std::pair<uint32_t, uint64_t>> expected = {
        {EventType::flagsChanged, kControlOption},
        {EventType::keyDown, kControlOption | EventFlags::maskCommand},
        {EventType::keyUp, kControlOption | EventFlags::maskCommand},
        {EventType::flagsChanged, EventFlags::maskControl},
        {EventType::flagsChanged, 0},
    };
    EXPECT_EQ(typesAndFlags, expected);
}

TEST_F(PhysicalInputTest, EachButtonDragsWithItsOwnEventTypesAndLocations) {
    struct Case {
        const char* name;
        MouseButton button;
        std::vector<uint32_t> types;
    };
    namespace T = EventType;
    const Case cases[] = {
        {"left", MouseButton::left, {T::leftMouseDown, T::leftMouseDragged, T::leftMouseUp}},
        {"right", MouseButton::right, {T::rightMouseDown, T::rightMouseDragged, T::rightMouseUp}},
        {"other", MouseButton::center, {T::otherMouseDown, T::otherMouseDragged, T::otherMouseUp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        input.mouseDown({10, 20}, c.button);
        EXPECT_TRUE(events.buttonState(c.button));
        input.mouseDrag({30, 40}, c.button);
        input.mouseUp({50, 60}, c.button);
        EXPECT_FALSE(events.buttonState(c.button));
        const auto seen = delivered();
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ((std::vector<uint32_t>{seen[0].type, seen[1].type, seen[2].type}), c.types);
        EXPECT_EQ((std::vector<Point>{seen[0].location, seen[1].location, seen[2].location}),
                  (std::vector<Point>{{10, 20}, {30, 40}, {50, 60}}));
        EXPECT_EQ(seen[0].integerValue(EventField::mouseEventButtonNumber),
                  static_cast<int64_t>(c.button));
    }
}

TEST_F(PhysicalInputTest, TrackpadSwipeIsAnUntaggedDockGestureRun) {
    input.dockSwipe(GestureSwipeMotion::horizontal, {-0.3, -0.8}, {100, 50});
    auto seen = delivered();
    ASSERT_EQ(seen.size(), 4u);
    std::vector<int64_t> phases;
    for (const auto& event : seen) {
        EXPECT_EQ(event.type, EventType::dockGesture);
        EXPECT_EQ(event.location, (Point{100, 50}));
        phases.push_back(event.integerValue(EventField::gesturePhase));
        EXPECT_FALSE(isSyntheticDockSwipeEvent(event));
    }
    EXPECT_EQ(phases, (std::vector<int64_t>{GesturePhase::began, GesturePhase::changed,
                                            GesturePhase::changed, GesturePhase::ended}));
    const auto ended = decodeDockSwipeEvent(seen.back());
    ASSERT_TRUE(ended);
    EXPECT_DOUBLE_EQ(ended->progress, -0.8);

    input.dockSwipe(GestureSwipeMotion::vertical, {0.5}, {0, 0}, true);
    seen = delivered();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.back().integerValue(EventField::gesturePhase), GesturePhase::cancelled);
}

} // namespace
} // namespace tessarin
