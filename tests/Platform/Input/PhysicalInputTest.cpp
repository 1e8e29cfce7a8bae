#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/KeyboardLayout.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <sstream>
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

TEST_F(PhysicalInputTest, KeyPressIsKeyDownThenKeyUpWithItsModifiers) {
    input.pressKey(0, EventFlags::maskCommand);
    auto seen = delivered();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, EventType::keyDown);
    EXPECT_EQ(seen[1].type, EventType::keyUp);
    for (const auto& event : seen) {
        EXPECT_EQ(event.keyCode(), 0);
        EXPECT_EQ(event.flags, EventFlags::maskCommand);
        EXPECT_EQ(event.characters, "a");
        EXPECT_FALSE(event.isAutorepeat());
    }
    EXPECT_EQ(events.flagsState(), 0u); // the modifiers of a press are not left held
}

TEST_F(PhysicalInputTest, HeldModifiersShowInStateAndInFlagsChangedEvents) {
    input.holdModifiers(kControlOption);
    EXPECT_EQ(events.flagsState(), kControlOption); // at once, before any event travels
    input.pressKey(18, EventFlags::maskCommand);
    input.releaseModifiers(EventFlags::maskAlternate);
    EXPECT_EQ(events.flagsState(), EventFlags::maskControl);
    input.releaseAllModifiers();

    auto seen = delivered();
    std::vector<std::pair<uint32_t, uint64_t>> typesAndFlags;
    for (const auto& event : seen) {
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
    EXPECT_EQ(events.flagsState(), 0u);
}

TEST_F(PhysicalInputTest, HoldingWhatIsAlreadyHeldPostsNothing) {
    input.holdModifiers(EventFlags::maskShift);
    input.holdModifiers(EventFlags::maskShift);
    input.releaseModifiers(EventFlags::maskCommand);
    EXPECT_EQ(delivered().size(), 1u);
}

TEST_F(PhysicalInputTest, ArrowKeysCarryTheFunctionAndNumericPadFlags) {
    input.pressKey(124, EventFlags::maskControl);
    auto seen = delivered();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].flags,
              EventFlags::maskControl | EventFlags::maskSecondaryFn | EventFlags::maskNumericPad);
    EXPECT_EQ(seen[0].characters, "\xEF\x9C\x83"); // U+F703
}

TEST_F(PhysicalInputTest, AutorepeatIsAFurtherKeyDownWithTheAutorepeatField) {
    input.keyDown(124);
    input.keyDown(124, 0, true);
    input.keyUp(124);
    auto seen = delivered();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_FALSE(seen[0].isAutorepeat());
    EXPECT_TRUE(seen[1].isAutorepeat());
    EXPECT_EQ(seen[2].type, EventType::keyUp);
}

TEST_F(PhysicalInputTest, MouseDragTravelsAsDownDraggedUpWithLocationsAndButtonState) {
    input.mouseDown({10, 20});
    EXPECT_TRUE(events.buttonState(MouseButton::left));
    input.mouseDrag({30, 40});
    input.mouseUp({50, 60});
    EXPECT_FALSE(events.buttonState(MouseButton::left));

    auto seen = delivered();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].type, EventType::leftMouseDown);
    EXPECT_EQ(seen[1].type, EventType::leftMouseDragged);
    EXPECT_EQ(seen[2].type, EventType::leftMouseUp);
    EXPECT_EQ(seen[0].location, (Point{10, 20}));
    EXPECT_EQ(seen[1].location, (Point{30, 40}));
    EXPECT_EQ(seen[2].location, (Point{50, 60}));
    EXPECT_EQ(input.location(), (Point{50, 60}));
}

struct ButtonCase {
    const char* name;
    MouseButton button;
    uint32_t down;
    uint32_t dragged;
    uint32_t up;
};

TEST_F(PhysicalInputTest, EachButtonHasItsOwnEventTypes) {
    const std::vector<ButtonCase> cases = {
        {"left", MouseButton::left, EventType::leftMouseDown, EventType::leftMouseDragged,
         EventType::leftMouseUp},
        {"right", MouseButton::right, EventType::rightMouseDown, EventType::rightMouseDragged,
         EventType::rightMouseUp},
        {"other", MouseButton::center, EventType::otherMouseDown, EventType::otherMouseDragged,
         EventType::otherMouseUp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        input.mouseDown({1, 1}, c.button);
        EXPECT_TRUE(events.buttonState(c.button));
        input.mouseDrag({2, 2}, c.button);
        input.mouseUp({3, 3}, c.button);
        auto seen = delivered();
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0].type, c.down);
        EXPECT_EQ(seen[1].type, c.dragged);
        EXPECT_EQ(seen[2].type, c.up);
        EXPECT_EQ(seen[0].integerValue(EventField::mouseEventButtonNumber),
                  static_cast<int64_t>(c.button));
        EXPECT_FALSE(events.buttonState(c.button));
    }
}

TEST_F(PhysicalInputTest, PointerMovesAreReportedToTheHost) {
    std::vector<Point> moves;
    input.setPointerMovedHandler([&](Point p) { moves.push_back(p); });
    input.moveMouse({5, 5});
    input.click({6, 6});
    EXPECT_EQ(moves, (std::vector<Point>{{5, 5}, {6, 6}, {6, 6}}));
}

TEST_F(PhysicalInputTest, PhysicalInputIsNotRecordedAsPostedByTheProgram) {
    input.pressKey(1);
    queue.runUntilIdle();
    EXPECT_TRUE(events.postedEvents().empty());
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
    auto ended = decodeDockSwipeEvent(seen.back());
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->motion, GestureSwipeMotion::horizontal);
    EXPECT_DOUBLE_EQ(ended->progress, -0.8);

    input.dockSwipe(GestureSwipeMotion::vertical, {0.5}, {0, 0}, true);
    seen = delivered();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.back().integerValue(EventField::gesturePhase), GesturePhase::cancelled);
}

TEST(EventTest, PrintsTypeFlagsLocationAndFields) {
    Event event = Event::keyboard(0, true, EventFlags::maskCommand);
    event.characters = "a";
    std::ostringstream text;
    text << event;
    EXPECT_EQ(text.str(), "Event{type=10 flags=0x100000 location=(0,0) 9=0 characters=\"a\"}");
}

struct KeyCharactersCase {
    uint16_t keyCode;
    const char* characters;
};

TEST(KeyboardLayoutTest, KeyCodesTypeTheirAnsiCharacters) {
    const std::vector<KeyCharactersCase> cases = {
        {0, "a"},
        {18, "1"},
        {29, "0"},
        {47, "."},
        {49, " "},
        {36, "\r"},
        {76, "\x03"},
        {53, "\x1B"},
        {55, ""},
        {63, ""},
        {122, "\xEF\x9C\x84"}, // F1 U+F704
        {126, "\xEF\x9C\x80"}, // up arrow U+F700
        {200, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(charactersForKeyCode(c.keyCode), c.characters) << "key code " << c.keyCode;
    }
}

} // namespace
} // namespace tessarin
