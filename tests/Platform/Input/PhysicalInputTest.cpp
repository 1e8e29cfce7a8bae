#include "../PlatformWorld.h"
#include "Platform/DockSwipeGesture.h"

namespace tessarin {
namespace {

constexpr uint64_t kControlOption = EventFlags::maskControl | EventFlags::maskAlternate;

using PhysicalInputTest = EventWorld;

// Held modifiers show in the state at once and travel as flags-changed events; a press adds its
// own modifiers to its key events only; arrows carry the function and numeric-pad flags.
TEST_F(PhysicalInputTest, KeysCarryTheirModifiersAndHeldOnesShowInState) {
    input.holdModifiers(kControlOption);
    input.holdModifiers(EventFlags::maskControl); // already held: nothing posted
    EXPECT_EQ(events.flagsState(), kControlOption);
    input.pressKey(18, EventFlags::maskCommand);
    input.releaseModifiers(EventFlags::maskAlternate);
    EXPECT_EQ(events.flagsState(), EventFlags::maskControl);
    input.releaseAllModifiers();
    input.keyDown(124, 0, true);
    EXPECT_EQ(events.flagsState(), 0u);

    std::vector<std::tuple<uint32_t, uint64_t, bool>> seen;
    for (const auto& event : delivered()) {
        seen.emplace_back(event.type, event.flags, event.isAutorepeat());
    }
    namespace F = EventFlags;
    const std::vector<std::tuple<uint32_t, uint64_t, bool>> expected = {
        {EventType::flagsChanged, kControlOption, false},
        {EventType::keyDown, kControlOption | F::maskCommand, false},
        {EventType::keyUp, kControlOption | F::maskCommand, false},
        {EventType::flagsChanged, F::maskControl, false},
        {EventType::flagsChanged, 0, false},
        {EventType::keyDown, F::maskSecondaryFn | F::maskNumericPad, true},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(events.postedEvents().empty()); // not recorded as posted by the program
}

TEST_F(PhysicalInputTest, EachButtonDragsWithItsOwnEventTypesAndLocations) {
    namespace T = EventType;
    const std::pair<MouseButton, std::vector<uint32_t>> cases[] = {
        {MouseButton::left, {T::leftMouseDown, T::leftMouseDragged, T::leftMouseUp}},
        {MouseButton::right, {T::rightMouseDown, T::rightMouseDragged, T::rightMouseUp}},
        {MouseButton::center, {T::otherMouseDown, T::otherMouseDragged, T::otherMouseUp}},
    };
    for (const auto& [button, types] : cases) {
        input.mouseDown({10, 20}, button);
        EXPECT_TRUE(events.buttonState(button));
        input.mouseDrag({30, 40}, button);
        input.mouseUp({50, 60}, button);
        EXPECT_FALSE(events.buttonState(button));
        std::vector<std::tuple<uint32_t, Point, int64_t>> seen;
        for (const Event& e : delivered()) {
            seen.emplace_back(e.type, e.location,
                              e.integerValue(EventField::mouseEventButtonNumber));
        }
        const auto number = static_cast<int64_t>(button);
        using Seen = std::vector<std::tuple<uint32_t, Point, int64_t>>;
        EXPECT_EQ(seen, (Seen{{types[0], {10, 20}, number},
                              {types[1], {30, 40}, number},
                              {types[2], {50, 60}, number}}));
    }
}

// The Dock acts on the last phase of a run, so a cancelled run must end cancelled.
TEST_F(PhysicalInputTest, TrackpadSwipeIsAnUntaggedDockGestureRun) {
    std::vector<std::pair<int64_t, Point>> seen;
    input.dockSwipe(GestureSwipeMotion::horizontal, {-0.3, -0.8}, {100, 50});
    input.dockSwipe(GestureSwipeMotion::vertical, {0.5}, {0, 0}, true);
    for (const auto& event : delivered()) {
        EXPECT_FALSE(isSyntheticDockSwipeEvent(event));
        seen.emplace_back(event.integerValue(EventField::gesturePhase), event.location);
    }
    namespace P = GesturePhase;
    // clang-format off
    EXPECT_EQ(seen, (std::vector<std::pair<int64_t, Point>>{
        {P::began, {100, 50}}, {P::changed, {100, 50}}, {P::changed, {100, 50}}, {P::ended, {100, 50}},
        {P::began, {0, 0}}, {P::changed, {0, 0}}, {P::cancelled, {0, 0}}}));
    // clang-format on
}

} // namespace
} // namespace tessarin
