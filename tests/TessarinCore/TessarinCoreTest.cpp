#include "TessarinCore/TessarinCore.h"

#include "Platform/DisplayServer.h"
#include "Platform/Dock.h"
#include "Platform/DockSwipeGesture.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Scenario.h"
#include "Platform/SpacesConfiguration.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/ManagedDisplaySpacesHandle.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr uint64_t kControl = 0x40000;
using Read = bool (*)(const char*, TessarinSpaceInfo*);

ScenarioSpace space(SpaceID id, std::optional<std::string> title = std::nullopt) {
    return ScenarioSpace{id, kSpaceTypeUserDesktop, "", std::move(title)};
}

// Display A with Spaces 11 to 14, display B with 21 to 23 (21 titled, 22 given a blank title,
// which counts as none); the pointer on A and one window on Space 12. Shared: one list "Main" of
// Spaces 1 to 3 and no window.
Scenario world(bool separate = true) {
    Scenario s;
    s.displays = {Screen{1, "UUID-A", "Built-in", {0, 0, 1440, 900}, {0, 0, 1440, 875}, 2.0},
                  Screen{2, "UUID-B", "Studio", {1440, 0, 1920, 1080}, {1440, 0, 1920, 1055}, 1.0}};
    s.displaysHaveSeparateSpaces = separate;
    s.spaceLists = {{"UUID-A", {space(11), space(12), space(13), space(14)}, 11},
                    {"UUID-B", {space(21, "Studio Work"), space(22, " "), space(23)}, 21}};
    s.mouseLocation = Point{700, 450};
    s.windows = {
        ServerWindow{0, 501, "Notes", std::nullopt, {100, 100, 400, 300}, 0, 1.0, 1, {12}}};
    if (!separate) {
        s.spaceLists = {{"Main", {space(1), space(2), space(3)}, 1}};
        s.windows.clear();
    }
    return s;
}

TessarinSpaceInfo info(SpaceID current, uint32_t index, uint32_t count) {
    return TessarinSpaceInfo{index, count, current};
}

std::optional<std::string> take(char* text) {
    auto copy = text != nullptr ? std::optional<std::string>(text) : std::nullopt;
    tessarin_release_string(text);
    return copy;
}

// Each test gets its own world, made current, and a fresh prediction table.
class BridgeTest : public testing::Test {
protected:
    explicit BridgeTest(bool separate = true) : host(world(separate), queue), currentHost(host) {
        EXPECT_TRUE(tessarin_init());
    }
    ~BridgeTest() override { tessarin_destroy(); }

    static std::optional<TessarinSpaceInfo> read(Read function, const char* display) {
        TessarinSpaceInfo result{};
        return function(display, &result) ? std::optional(result) : std::nullopt;
    }
    std::optional<TessarinSpaceInfo> predicted(const char* display) {
        return read(tessarin_get_space_info_for_display_identifier, display);
    }
    // Read from the window server and from a copy of its layout, which must agree.
    std::optional<TessarinSpaceInfo> live(const char* display) {
        TessarinManagedDisplaySpaces* layout = tessarin_copy_managed_display_spaces();
        TessarinSpaceInfo copied{};
        const bool fromCopy =
            tessarin_get_live_space_info_for_display_identifier_in_managed_display_spaces(
                layout, display, &copied);
        tessarin_release_managed_display_spaces(layout);
        const auto direct = read(tessarin_get_live_space_info_for_display_identifier, display);
        EXPECT_EQ(fromCopy ? std::optional(copied) : std::nullopt, direct) << display;
        return direct;
    }
    SpaceID currentSpace(const std::string& list) {
        return host.windowServer().currentSpace(list).value_or(0);
    }
    WindowID window() { return host.windowServer().windows().front().number; }
    bool switchTo(const char* display, uint32_t index) {
        return tessarin_switch_to_index_on_display_identifier(display, index);
    }

    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host;
    ScopedCurrentHost currentHost;
};

TEST_F(BridgeTest, readsEachDisplaysOwnSpacesAndTheDisplaysByRole) {
    EXPECT_EQ(live("UUID-A"), info(11, 0, 4));
    EXPECT_EQ(live("UUID-B"), info(21, 0, 3));
    EXPECT_EQ(live("UUID-GONE"), std::nullopt);
    TessarinSpaceInfo read{};
    ASSERT_TRUE(tessarin_get_menubar_space_info(&read));
    EXPECT_EQ(read, info(11, 0, 4));
    EXPECT_EQ(take(tessarin_copy_active_menu_bar_display_identifier()), "UUID-A");
    EXPECT_EQ(take(tessarin_copy_display_identifier_with_spaces()), "UUID-A");
    host.displays().setMouseLocation(Point{2000, 500});
    EXPECT_EQ(take(tessarin_copy_cursor_display_identifier()), "UUID-B");
    ASSERT_TRUE(tessarin_get_live_space_info(&read));
    EXPECT_EQ(read, info(21, 0, 3));
    EXPECT_EQ(take(tessarin_copy_space_title_for_index(1)), std::nullopt);
    // A Space's own title comes before the configuration's.
    writeSpacesConfiguration(host.preferences(), host.windowServer().spaceLists(),
                             {{21, "Renamed"}, {22, "Archive"}});
    EXPECT_EQ(take(tessarin_copy_space_title_for_index(0)), "Studio Work");
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 1)),
              "Archive");
    // All of a display's titles at once, as one by one.
    TessarinSpaceTitleList* titles = tessarin_copy_space_titles_for_display_identifier("UUID-B");
    ASSERT_NE(titles, nullptr);
    ASSERT_EQ(titles->count, 3u);
    for (uint32_t i = 0; i < titles->count; ++i) {
        EXPECT_EQ(titles->titles[i] ? std::optional<std::string>(titles->titles[i]) : std::nullopt,
                  take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", i)))
            << i;
    }
    tessarin_release_space_title_list(titles);
    EXPECT_EQ(tessarin_copy_space_titles_for_display_identifier("UUID-GONE"), nullptr);
    host.displays().setMouseLocation(Point{-5000, -5000});
    EXPECT_EQ(take(tessarin_copy_cursor_display_identifier()), std::nullopt);

    TessarinManagedDisplaySpaces* spaces = tessarin_copy_managed_display_spaces();
    ASSERT_NE(spaces, nullptr);
    EXPECT_EQ(tessarin_count_space_display_lists_in_managed_display_spaces(spaces), 2u);
    tessarin_release_managed_display_spaces(spaces);
}

// A list that names no current Space takes the active Space, when that is one of its own.
TEST_F(BridgeTest, aListWithoutItsCurrentSpaceTakesTheActiveOne) {
    SystemCalls& calls = host.calls();
    calls.copyManagedDisplaySpaces = [read = calls.copyManagedDisplaySpaces](int cid) {
        auto lists = read(cid);
        for (ManagedDisplaySpaces& list : lists.value()) {
            list.currentSpace.reset();
        }
        return lists;
    };
    EXPECT_EQ(live("UUID-A"), info(11, 0, 4));
    EXPECT_EQ(live("UUID-B"), std::nullopt);
}

// Mission Control shows as two full-screen Dock layers; only both together mean it is open.
TEST_F(BridgeTest, missionControlIsOpenOnlyWithBothDockLayers) {
    using Windows = std::vector<std::pair<std::string, int>>;
    const std::tuple<const char*, Windows, bool> cases[] = {
        {"none", {}, false},
        {"layer 18 alone", {{"Dock", 18}}, false},
        {"layer 20 alone", {{"Dock", 20}}, false},
        {"both layers", {{"Dock", 18}, {"Dock", 20}}, true},
        {"both layers, not the Dock's", {{"Finder", 18}, {"Finder", 20}}, false},
    };
    for (const auto& [name, windows, open] : cases) {
        SCOPED_TRACE(name);
        std::vector<WindowID> added;
        for (const auto& [owner, layer] : windows) {
            added.push_back(host.windowServer().addWindow(ServerWindow{
                0, 97, owner, std::nullopt, Rect(0, 0, 1440, 900), layer, 1.0, 1, {}, true}));
        }
        EXPECT_EQ(tessarin_is_mission_control_active(), open);
        for (WindowID id : added) {
            host.windowServer().removeWindow(id);
        }
    }
    host.windowServer().setMissionControlOpen(true);
    EXPECT_TRUE(tessarin_is_mission_control_active());
    host.windowServer().setWindowListReadable(false);
    EXPECT_FALSE(tessarin_is_mission_control_active());
}

TEST_F(BridgeTest, postedSwitchMovesTheSpaceAfterTheDocksAnimation) {
    ASSERT_TRUE(switchTo("UUID-B", 2));
    // The prediction shows at once, also on the menu-bar read; the live read waits for the Dock.
    EXPECT_EQ(predicted("UUID-B"), info(23, 2, 3));
    EXPECT_EQ(live("UUID-B"), info(21, 0, 3));
    queue.advance(0.35);
    EXPECT_EQ(currentSpace("UUID-B"), 23u);
    EXPECT_EQ(currentSpace("UUID-A"), 11u);
    ASSERT_TRUE(switchTo("UUID-A", 2));
    TessarinSpaceInfo read{};
    ASSERT_TRUE(tessarin_get_menubar_space_info(&read));
    EXPECT_EQ(read, info(13, 2, 4));
    // Switches on the pointer's display; the second, sent before the first lands, wins.
    host.displays().setMouseLocation(Point{2000, 500});
    ASSERT_TRUE(tessarin_switch_to_index(0));
    ASSERT_TRUE(tessarin_switch_to_index(1));
    ASSERT_TRUE(tessarin_get_space_info(&read));
    EXPECT_EQ(read, info(22, 1, 3));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-B"), 22u);
    EXPECT_EQ(currentSpace("UUID-A"), 13u);
}

TEST_F(BridgeTest, withheldSwitchPredictsForOneSecondUnlessReset) {
    host.dock().setIgnoresGestures(true);
    ASSERT_TRUE(switchTo("UUID-A", 3));
    queue.advance(0.99);
    EXPECT_EQ(predicted("UUID-A"), info(14, 3, 4));
    queue.advance(0.01);
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
    queue.advance(5);
    EXPECT_EQ(currentSpace("UUID-A"), 11u);

    ASSERT_TRUE(switchTo("UUID-B", 1));
    tessarin_reset_switch_predictions();
    EXPECT_EQ(predicted("UUID-B"), info(21, 0, 3));
    // Without the table switches still post, but predict nothing.
    tessarin_destroy();
    host.dock().setIgnoresGestures(false);
    ASSERT_TRUE(switchTo("UUID-A", 1));
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-A"), 12u);
}

// The taps know the program's own switches by their tags; newer systems get the target too.
TEST_F(BridgeTest, switchEventsCarryTheTagsAndFollowTheSystemVersion) {
    host.events().clearPostedEvents();
    ASSERT_TRUE(switchTo("UUID-A", 0));
    EXPECT_TRUE(host.events().postedEvents().empty()); // already there
    ASSERT_TRUE(switchTo("UUID-B", 1));
    ASSERT_FALSE(host.events().postedEvents().empty());
    const Event& event = host.events().postedEvents().back();
    EXPECT_EQ(event.integerValue(EventField::eventSourceUserData),
              tessarin_synthetic_event_user_data());
    EXPECT_EQ(event.integerValue(EventField::privateSourceTag),
              tessarin_synthetic_event_private_source_tag());
    EXPECT_EQ(host.displays().displaysWithPoint(event.location), std::vector<DisplayID>{2});
    EXPECT_EQ(decodeDockSwipeEvent(event).value().targetIndex, std::nullopt);

    EXPECT_EQ(tessarin_current_space_switch_post_variant(), 0u);
    host.system().setOperatingSystemVersion(OperatingSystemVersion{27, 0, 0});
    EXPECT_EQ(tessarin_current_space_switch_post_variant(), 2u);
    ASSERT_TRUE(switchTo("UUID-B", 2));
    const auto ended = decodeDockSwipeEvent(host.events().postedEvents().back());
    ASSERT_TRUE(ended.has_value());
    EXPECT_EQ(ended->targetIndex, 2u);
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-B"), 23u);
}

// The grid rules have their own tables; this checks only what the C wrapper adds.
TEST_F(BridgeTest, resolverThroughTheCInterface) {
    uint32_t target = 99;
    EXPECT_TRUE(tessarin_resolve_target_index_with_wrap_style(info(0, 2, 7), TessarinDirectionRight,
                                                              true, 3, false, true, &target));
    EXPECT_EQ(target, 0u);
    EXPECT_FALSE(tessarin_resolve_target_index_with_wrap_style(info(0, 1, 7), 4, true, 3, false,
                                                               false, nullptr));
}

TEST_F(BridgeTest, desktopShortcutTypedByTheProgramSwitchesThroughTheDock) {
    host.symbolicHotKeys().set(119, SymbolicHotKeyValue{65535, 19, kControl}, false);
    host.symbolicHotKeys().set(120, SymbolicHotKeyValue{65535, 20, kControl}, true);
    TessarinSymbolicShortcut shortcut{1, 1, 1};
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(2, &shortcut)); // disabled
    EXPECT_EQ(shortcut, (TessarinSymbolicShortcut{0, 0, 0}));
    for (uint32_t desktop : {0u, 4u, 17u}) {
        EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(desktop, &shortcut)) << desktop;
    }
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(3, nullptr));
    ASSERT_TRUE(tessarin_get_switch_to_desktop_shortcut(3, &shortcut));
    EXPECT_EQ(shortcut, (TessarinSymbolicShortcut{20, 65535, kControl}));

    host.calls().postEvent(Event::keyboard(shortcut.virtualKeyCode, true, shortcut.modifierFlags));
    host.calls().postEvent(Event::keyboard(shortcut.virtualKeyCode, false, shortcut.modifierFlags));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-A"), 13u);
}

class SharedSpacesBridgeTest : public BridgeTest {
protected:
    SharedSpacesBridgeTest() : BridgeTest(false) {}
};

TEST_F(SharedSpacesBridgeTest, everyDisplayReadsAndTurnsTheMainList) {
    EXPECT_FALSE(tessarin_displays_have_separate_spaces(2));
    EXPECT_EQ(take(tessarin_copy_display_identifier_with_spaces()), "Main");
    EXPECT_EQ(live("UUID-B"), info(1, 0, 3));
    ASSERT_TRUE(switchTo("UUID-B", 2));
    EXPECT_EQ(predicted("UUID-A"), info(3, 2, 3));
    EXPECT_EQ(predicted("Main"), info(3, 2, 3));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("Main"), 3u);
}

// Every call the readers and the switch depend on, withdrawn one at a time.
TEST_F(BridgeTest, withdrawnCallsFailReadersAndSwitchQuietlyAndSafely) {
    const std::pair<const char*, std::function<void(SystemCalls&)>> cases[] = {
        {"mainConnectionID", [](SystemCalls& c) { c.mainConnectionID = nullptr; }},
        {"connectionZero", [](SystemCalls& c) { c.mainConnectionID = [] { return 0; }; }},
        {"copyManagedDisplaySpaces", [](SystemCalls& c) { c.copyManagedDisplaySpaces = nullptr; }},
        {"cursorLocation", [](SystemCalls& c) { c.cursorLocation = nullptr; }},
        {"displaysWithPoint", [](SystemCalls& c) { c.displaysWithPoint = nullptr; }},
        {"displayUUID", [](SystemCalls& c) { c.displayUUID = nullptr; }},
    };
    for (const auto& [name, withdraw] : cases) {
        SCOPED_TRACE(name);
        host.restoreCalls();
        withdraw(host.calls());
        testing::internal::CaptureStderr();
        TessarinSpaceInfo read{5, 5, 5};
        EXPECT_FALSE(tessarin_get_space_info(&read));
        EXPECT_EQ(read, (TessarinSpaceInfo{0, 0, 0}));
        EXPECT_FALSE(tessarin_switch_to_index(1));
        testing::internal::GetCapturedStderr();
        queue.advance(1.0);
        EXPECT_EQ(currentSpace("UUID-A"), 11u);
    }
    // Without the connection every layout answer is empty.
    host.calls().mainConnectionID = nullptr;
    EXPECT_EQ(tessarin_copy_managed_display_spaces(), nullptr);
    EXPECT_EQ(take(tessarin_copy_display_identifier_with_spaces()), std::nullopt);
    EXPECT_EQ(take(tessarin_copy_active_menu_bar_display_identifier()), std::nullopt);
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 0)),
              std::nullopt);
    EXPECT_EQ(tessarin_copy_space_ids_for_window_id(window()), nullptr);
    host.restoreCalls();
    EXPECT_EQ(tessarin_copy_space_ids_for_window_id(0), nullptr);
}

TEST_F(BridgeTest, refusedSwitchesSayWhyAndOtherWithdrawnCallsFailSafely) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(switchTo("UUID-B", 3));
    EXPECT_FALSE(switchTo("UUID-GONE", 0));
    EXPECT_FALSE(switchTo(nullptr, 0));
    host.calls().postEvent = nullptr;
    EXPECT_FALSE(switchTo("UUID-A", 1));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("TessarinCore: switch to Space index 3 on display UUID-B failed"),
              std::string::npos)
        << errors;
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
    EXPECT_EQ(predicted("UUID-B"), info(21, 0, 3));

    host.calls().copyWindowList = nullptr;
    host.windowServer().setMissionControlOpen(true);
    EXPECT_FALSE(tessarin_is_mission_control_active());
    host.calls().copySpacesForWindows = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(tessarin_copy_space_ids_for_window_id(window()), nullptr);
    testing::internal::GetCapturedStderr();
    host.calls().copyActiveMenuBarDisplayIdentifier = nullptr;
    TessarinSpaceInfo read{};
    EXPECT_FALSE(tessarin_get_menubar_space_info(&read));
    host.symbolicHotKeys().set(118, SymbolicHotKeyValue{65535, 18, kControl}, true);
    host.calls().isSymbolicHotKeyEnabled = nullptr;
    TessarinSymbolicShortcut shortcut{};
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(1, &shortcut));
    // Reading a given display needs no pointer.
    host.calls().cursorLocation = nullptr;
    EXPECT_EQ(live("UUID-B"), info(21, 0, 3));
    host.windowServer().setSpacesReadable(false);
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_EQ(live("UUID-A"), std::nullopt);
}

TEST(BridgeWithoutHostTest, everyFunctionAnswersNothing) {
    ASSERT_EQ(Host::installed(), nullptr);
    TessarinSpaceInfo read{1, 1, 1};
    EXPECT_FALSE(tessarin_get_space_info(&read));
    EXPECT_EQ(read, (TessarinSpaceInfo{0, 0, 0}));
    EXPECT_FALSE(tessarin_get_space_info(nullptr));
    EXPECT_EQ(tessarin_copy_cursor_display_identifier(), nullptr);
    EXPECT_EQ(tessarin_copy_managed_display_spaces(), nullptr);
    EXPECT_EQ(tessarin_copy_space_titles_for_display_identifier("UUID-A"), nullptr);
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_FALSE(tessarin_is_mission_control_active());
    EXPECT_EQ(tessarin_current_space_switch_post_variant(), 0u);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tessarin_switch_to_index(0));
    testing::internal::GetCapturedStderr();
}

} // namespace
} // namespace tessarin
