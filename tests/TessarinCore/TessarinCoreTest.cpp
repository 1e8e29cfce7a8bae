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

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

void PrintTo(const TessarinSpaceInfo& info, std::ostream* os) {
    *os << "{index " << info.currentIndex << ", count " << info.spaceCount << ", space "
        << info.currentSpaceID << "}";
}

namespace tessarin {
namespace {

constexpr uint64_t kControl = 0x40000;

Screen screenA() {
    return Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0};
}
Screen screenB() {
    return Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055), 1.0};
}

ScenarioSpace space(SpaceID id, std::optional<std::string> title = std::nullopt) {
    return ScenarioSpace{id, kSpaceTypeUserDesktop, "", std::move(title)};
}

// Display A with Spaces 11 to 14, display B with 21 to 23 (21 titled); the pointer on A.
Scenario separateSpaces() {
    Scenario scenario;
    scenario.displays = {screenA(), screenB()};
    scenario.displaysHaveSeparateSpaces = true;
    scenario.spaceLists = {
        ScenarioSpaceList{"UUID-A", {space(11), space(12), space(13), space(14)}, 11},
        ScenarioSpaceList{"UUID-B", {space(21, "Studio Work"), space(22), space(23)}, 21}};
    scenario.mouseLocation = Point{700, 450};
    scenario.windows = {ServerWindow{
        0, 501, "Notes", std::string("Draft"), Rect(100, 100, 400, 300), 0, 1.0, 1, {12}}};
    return scenario;
}

Scenario sharedSpaces() {
    Scenario scenario = separateSpaces();
    scenario.displaysHaveSeparateSpaces = false;
    scenario.spaceLists = {ScenarioSpaceList{"Main", {space(1), space(2), space(3)}, 1}};
    scenario.windows.clear();
    return scenario;
}

// Each test gets its own world, made current, and a fresh prediction table.
class BridgeTest : public testing::Test {
protected:
    explicit BridgeTest(Scenario scenario = separateSpaces())
        : host(scenario, queue), currentHost(host) {
        EXPECT_TRUE(tessarin_init());
    }
    ~BridgeTest() override { tessarin_destroy(); }

    static TessarinSpaceInfo info(SpaceID current, uint32_t index, uint32_t count) {
        return TessarinSpaceInfo{index, count, current};
    }

    std::optional<TessarinSpaceInfo> predicted(const char* display) {
        TessarinSpaceInfo read{};
        if (!tessarin_get_space_info_for_display_identifier(display, &read)) {
            return std::nullopt;
        }
        return read;
    }
    std::optional<TessarinSpaceInfo> live(const char* display) {
        TessarinSpaceInfo read{};
        if (!tessarin_get_live_space_info_for_display_identifier(display, &read)) {
            return std::nullopt;
        }
        return read;
    }

    static std::optional<std::string> take(char* text) {
        if (text == nullptr) {
            return std::nullopt;
        }
        std::string copy(text);
        tessarin_release_string(text);
        return copy;
    }

    SpaceID currentSpace(const std::string& list) {
        return host.windowServer().currentSpace(list).value_or(0);
    }

    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host;
    ScopedCurrentHost currentHost;
};

// --- Reading --------------------------------------------------------------------------------

TEST_F(BridgeTest, readsEachDisplaysOwnSpaces) {
    EXPECT_EQ(live("UUID-A"), info(11, 0, 4));
    EXPECT_EQ(live("UUID-B"), info(21, 0, 3));
    TessarinSpaceInfo cursor{};
    ASSERT_TRUE(tessarin_get_live_space_info(&cursor));
    EXPECT_EQ(cursor, info(11, 0, 4));
}

TEST_F(BridgeTest, failedReadLeavesTheRecordZeroed) {
    TessarinSpaceInfo read{7, 7, 7};
    EXPECT_FALSE(tessarin_get_space_info_for_display_identifier("UUID-GONE", &read));
    EXPECT_EQ(read, (TessarinSpaceInfo{0, 0, 0}));
    read = TessarinSpaceInfo{7, 7, 7};
    EXPECT_FALSE(tessarin_get_live_space_info_for_display_identifier(nullptr, &read));
    EXPECT_EQ(read, (TessarinSpaceInfo{0, 0, 0}));
    EXPECT_FALSE(tessarin_get_space_info(nullptr));
}

TEST_F(BridgeTest, menuBarDisplayIsReadWithItsPrediction) {
    TessarinSpaceInfo read{};
    ASSERT_TRUE(tessarin_get_menubar_space_info(&read));
    EXPECT_EQ(read, info(11, 0, 4));
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 2));
    ASSERT_TRUE(tessarin_get_menubar_space_info(&read));
    EXPECT_EQ(read, info(13, 2, 4));
}

TEST_F(BridgeTest, displayIdentifiers) {
    EXPECT_EQ(take(tessarin_copy_cursor_display_identifier()), "UUID-A");
    EXPECT_EQ(take(tessarin_copy_active_menu_bar_display_identifier()), "UUID-A");
    EXPECT_EQ(take(tessarin_copy_display_identifier_with_spaces()), "UUID-A");
    host.displays().setMouseLocation(Point{2000, 500});
    EXPECT_EQ(take(tessarin_copy_cursor_display_identifier()), "UUID-B");
    host.displays().setMouseLocation(Point{-5000, -5000});
    EXPECT_EQ(take(tessarin_copy_cursor_display_identifier()), std::nullopt);
}

TEST_F(BridgeTest, managedDisplaySpacesCopy) {
    TessarinManagedDisplaySpaces* spaces = tessarin_copy_managed_display_spaces();
    ASSERT_NE(spaces, nullptr);
    EXPECT_EQ(tessarin_count_space_display_lists_in_managed_display_spaces(spaces), 2u);
    ASSERT_EQ(managedDisplaySpacesContents(*spaces).size(), 2u);
    EXPECT_EQ(managedDisplaySpacesContents(*spaces)[1].displayIdentifier, "UUID-B");
    tessarin_release_managed_display_spaces(spaces);
    EXPECT_EQ(tessarin_count_space_display_lists_in_managed_display_spaces(nullptr), 0u);
}

TEST_F(BridgeTest, spaceTitlesBySystemIndex) {
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 0)),
              "Studio Work");
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 1)),
              std::nullopt);
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 3)),
              std::nullopt);
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index(nullptr, 0)),
              std::nullopt);
    // The pointer is on A, whose Spaces have no titles.
    EXPECT_EQ(take(tessarin_copy_space_title_for_index(0)), std::nullopt);
    host.displays().setMouseLocation(Point{2000, 500});
    EXPECT_EQ(take(tessarin_copy_space_title_for_index(0)), "Studio Work");
}

TEST_F(BridgeTest, aSpacesOwnTitleComesBeforeTheConfigurations) {
    writeSpacesConfiguration(host.preferences(), host.windowServer().spaceLists(),
                             {{21, "Renamed"}, {22, "Archive"}});
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 0)),
              "Studio Work");
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 1)),
              "Archive");
}

TEST_F(BridgeTest, spacesOfAWindow) {
    const WindowID window = host.windowServer().windows().front().number;
    TessarinSpaceIDList* list = tessarin_copy_space_ids_for_window_id(window);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 1u);
    EXPECT_EQ(list->spaceIDs[0], 12u);
    tessarin_release_space_id_list(list);
    EXPECT_EQ(tessarin_copy_space_ids_for_window_id(0), nullptr);
    tessarin_release_space_id_list(nullptr);
}

TEST_F(BridgeTest, spacesOfAWindowAreSafeToReadOffTheMainThread) {
    const WindowID window = host.windowServer().windows().front().number;
    std::atomic<int> answered{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                TessarinSpaceIDList* list = tessarin_copy_space_ids_for_window_id(window);
                if (list != nullptr && list->count == 1 &&
                    (list->spaceIDs[0] == 12 || list->spaceIDs[0] == 13)) {
                    ++answered;
                }
                tessarin_release_space_id_list(list);
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        host.windowServer().moveWindow(window, i % 2 == 0 ? 13 : 12);
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(answered.load(), 800);
}

TEST_F(BridgeTest, missionControlIsSeenInTheWindowList) {
    EXPECT_FALSE(tessarin_is_mission_control_active());
    host.windowServer().setMissionControlOpen(true);
    EXPECT_TRUE(tessarin_is_mission_control_active());
    host.windowServer().setWindowListReadable(false);
    EXPECT_FALSE(tessarin_is_mission_control_active());
}

TEST_F(BridgeTest, separateSpaces) {
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(1));
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(0));
}

// --- Switching ------------------------------------------------------------------------------

TEST_F(BridgeTest, postedSwitchMovesTheSpaceAfterTheDocksAnimation) {
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-B", 2));
    // The prediction shows at once; the live read waits for the Dock.
    EXPECT_EQ(predicted("UUID-B"), info(23, 2, 3));
    EXPECT_EQ(live("UUID-B"), info(21, 0, 3));
    queue.advance(0.25);
    EXPECT_EQ(currentSpace("UUID-B"), 21u);
    queue.advance(0.1);
    EXPECT_EQ(currentSpace("UUID-B"), 23u);
    EXPECT_EQ(currentSpace("UUID-A"), 11u);
    EXPECT_EQ(live("UUID-B"), info(23, 2, 3));
}

TEST_F(BridgeTest, switchOnThePointersDisplay) {
    host.displays().setMouseLocation(Point{2000, 500});
    ASSERT_TRUE(tessarin_switch_to_index(1));
    TessarinSpaceInfo read{};
    ASSERT_TRUE(tessarin_get_space_info(&read));
    EXPECT_EQ(read, info(22, 1, 3));
    ASSERT_TRUE(tessarin_get_live_space_info(&read));
    EXPECT_EQ(read, info(21, 0, 3));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-B"), 22u);
    EXPECT_EQ(currentSpace("UUID-A"), 11u);
}

TEST_F(BridgeTest, withheldSwitchNeverLandsAndItsPredictionLastsOneSecond) {
    host.dock().setIgnoresGestures(true);
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 3));
    queue.advance(0.99);
    EXPECT_EQ(predicted("UUID-A"), info(14, 3, 4));
    queue.advance(0.01);
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
    queue.advance(5);
    EXPECT_EQ(currentSpace("UUID-A"), 11u);
}

TEST_F(BridgeTest, resetForgetsPredictions) {
    host.dock().setIgnoresGestures(true);
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 3));
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-B", 1));
    tessarin_reset_switch_predictions();
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
    EXPECT_EQ(predicted("UUID-B"), info(21, 0, 3));
}

TEST_F(BridgeTest, withoutTheTableSwitchesPostButPredictNothing) {
    tessarin_destroy();
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 1));
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-A"), 12u);
    EXPECT_TRUE(tessarin_init());
    EXPECT_TRUE(tessarin_init());
}

TEST_F(BridgeTest, quickSuccessiveSwitchesLandOnTheLastTarget) {
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 1));
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 3));
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 2));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-A"), 13u);
}

TEST_F(BridgeTest, switchToTheCurrentSpacePostsNothing) {
    host.events().clearPostedEvents();
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-A", 0));
    EXPECT_TRUE(host.events().postedEvents().empty());
}

TEST_F(BridgeTest, switchEventsCarryTheTagsTheTapsLookFor) {
    host.events().clearPostedEvents();
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-B", 1));
    ASSERT_FALSE(host.events().postedEvents().empty());
    for (const Event& event : host.events().postedEvents()) {
        EXPECT_EQ(event.type, EventType::dockGesture);
        EXPECT_EQ(event.integerValue(EventField::eventSourceUserData),
                  tessarin_synthetic_event_user_data());
        EXPECT_EQ(event.integerValue(EventField::privateSourceTag),
                  tessarin_synthetic_event_private_source_tag());
        // Made on display B.
        EXPECT_EQ(host.displays().displaysWithPoint(event.location), std::vector<DisplayID>{2});
    }
}

TEST_F(BridgeTest, postVariantFollowsTheSystemVersion) {
    EXPECT_EQ(tessarin_current_space_switch_post_variant(), 0u);
    host.system().setOperatingSystemVersion(OperatingSystemVersion{27, 0, 0});
    EXPECT_EQ(tessarin_current_space_switch_post_variant(), 2u);
    host.events().clearPostedEvents();
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-B", 2));
    const auto ended = decodeDockSwipeEvent(host.events().postedEvents().back());
    ASSERT_TRUE(ended.has_value());
    EXPECT_EQ(ended->targetIndex, 2u);
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-B"), 23u);
}

TEST_F(BridgeTest, refusedSwitchesSayWhy) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tessarin_switch_to_index_on_display_identifier("UUID-B", 3));
    EXPECT_FALSE(tessarin_switch_to_index_on_display_identifier("UUID-GONE", 0));
    EXPECT_FALSE(tessarin_switch_to_index_on_display_identifier(nullptr, 0));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("TessarinCore: switch to Space index 3 on display UUID-B failed"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("UUID-GONE"), std::string::npos) << errors;
    EXPECT_EQ(predicted("UUID-B"), info(21, 0, 3));
}

// --- Resolver and tags ----------------------------------------------------------------------

TEST_F(BridgeTest, resolverThroughTheCInterface) {
    uint32_t target = 99;
    EXPECT_TRUE(tessarin_resolve_target_index_with_wrap_style(info(0, 2, 7), TessarinDirectionRight,
                                                              true, 3, false, true, &target));
    EXPECT_EQ(target, 0u);
    EXPECT_TRUE(tessarin_resolve_target_index_with_wrap_style(info(0, 1, 7), TessarinDirectionUp,
                                                              true, 9, false, false, nullptr));
    target = 99;
    EXPECT_FALSE(tessarin_resolve_target_index_with_wrap_style(info(0, 1, 7), TessarinDirectionUp,
                                                               false, 3, false, false, &target));
    EXPECT_EQ(target, 99u);
    EXPECT_FALSE(tessarin_resolve_target_index_with_wrap_style(info(0, 1, 7), 4, true, 3, false,
                                                               false, &target));
    EXPECT_FALSE(tessarin_resolve_target_index_with_wrap_style(info(0, 0, 0), TessarinDirectionLeft,
                                                               true, 3, false, false, &target));
}

TEST_F(BridgeTest, tags) {
    EXPECT_EQ(tessarin_synthetic_event_user_data(), 0x5453524Eu);
    EXPECT_EQ(tessarin_synthetic_event_private_source_tag(), 33231);
}

// --- Desktop shortcuts ----------------------------------------------------------------------

TEST_F(BridgeTest, desktopShortcutLookup) {
    host.symbolicHotKeys().set(118, SymbolicHotKeyValue{65535, 18, kControl}, true);
    host.symbolicHotKeys().set(119, SymbolicHotKeyValue{65535, 19, kControl}, false);
    TessarinSymbolicShortcut shortcut{1, 1, 1};
    ASSERT_TRUE(tessarin_get_switch_to_desktop_shortcut(1, &shortcut));
    EXPECT_EQ(shortcut, (TessarinSymbolicShortcut{18, 65535, kControl}));
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(2, &shortcut));
    EXPECT_EQ(shortcut, (TessarinSymbolicShortcut{0, 0, 0}));
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(3, &shortcut));
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(0, &shortcut));
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(17, &shortcut));
    EXPECT_FALSE(tessarin_get_switch_to_desktop_shortcut(1, nullptr));
}

TEST_F(BridgeTest, desktopShortcutTypedByTheProgramSwitchesThroughTheDock) {
    host.symbolicHotKeys().set(120, SymbolicHotKeyValue{65535, 20, kControl}, true);
    TessarinSymbolicShortcut shortcut{};
    ASSERT_TRUE(tessarin_get_switch_to_desktop_shortcut(3, &shortcut));
    host.calls().postEvent(Event::keyboard(shortcut.virtualKeyCode, true, shortcut.modifierFlags));
    host.calls().postEvent(Event::keyboard(shortcut.virtualKeyCode, false, shortcut.modifierFlags));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("UUID-A"), 13u);
}

// --- Shared Spaces --------------------------------------------------------------------------

class SharedSpacesBridgeTest : public BridgeTest {
protected:
    SharedSpacesBridgeTest() : BridgeTest(sharedSpaces()) {}
};

TEST_F(SharedSpacesBridgeTest, everyDisplayReadsTheMainList) {
    EXPECT_FALSE(tessarin_displays_have_separate_spaces(2));
    EXPECT_FALSE(tessarin_displays_have_separate_spaces(1));
    EXPECT_EQ(take(tessarin_copy_display_identifier_with_spaces()), "Main");
    EXPECT_EQ(live("UUID-B"), info(1, 0, 3));
    EXPECT_EQ(live("Main"), info(1, 0, 3));
}

TEST_F(SharedSpacesBridgeTest, switchFromAnyDisplayTurnsTheSharedList) {
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("UUID-B", 2));
    EXPECT_EQ(predicted("UUID-A"), info(3, 2, 3));
    EXPECT_EQ(predicted("Main"), info(3, 2, 3));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("Main"), 3u);
    ASSERT_TRUE(tessarin_switch_to_index_on_display_identifier("Main", 0));
    queue.advance(0.5);
    EXPECT_EQ(currentSpace("Main"), 1u);
}

// --- Withdrawn calls ------------------------------------------------------------------------

struct WithdrawnCallCase {
    const char* name;
    std::function<void(SystemCalls&)> withdraw;
};

void PrintTo(const WithdrawnCallCase& c, std::ostream* os) {
    *os << c.name;
}

class WithdrawnCallTest : public BridgeTest,
                          public testing::WithParamInterface<WithdrawnCallCase> {};

// Every call the readers and the switch depend on, withdrawn one at a time.
TEST_P(WithdrawnCallTest, readersAndSwitchFailQuietlyAndSafely) {
    GetParam().withdraw(host.calls());
    testing::internal::CaptureStderr();
    TessarinSpaceInfo read{5, 5, 5};
    EXPECT_FALSE(tessarin_get_space_info(&read));
    EXPECT_EQ(read, (TessarinSpaceInfo{0, 0, 0}));
    EXPECT_FALSE(tessarin_switch_to_index(1));
    testing::internal::GetCapturedStderr();
    queue.advance(1.0);
    EXPECT_EQ(currentSpace("UUID-A"), 11u);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WithdrawnCallTest,
    testing::Values(
        WithdrawnCallCase{"mainConnectionID", [](SystemCalls& c) { c.mainConnectionID = nullptr; }},
        WithdrawnCallCase{"copyManagedDisplaySpaces",
                          [](SystemCalls& c) { c.copyManagedDisplaySpaces = nullptr; }},
        WithdrawnCallCase{"cursorLocation", [](SystemCalls& c) { c.cursorLocation = nullptr; }},
        WithdrawnCallCase{"displaysWithPoint",
                          [](SystemCalls& c) { c.displaysWithPoint = nullptr; }},
        WithdrawnCallCase{"displayUUID", [](SystemCalls& c) { c.displayUUID = nullptr; }},
        WithdrawnCallCase{"connectionZero",
                          [](SystemCalls& c) { c.mainConnectionID = [] { return 0; }; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BridgeTest, withdrawnPostingRefusesTheSwitchButReadsStillWork) {
    host.calls().postEvent = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tessarin_switch_to_index_on_display_identifier("UUID-A", 1));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("TessarinCore: "), std::string::npos);
    EXPECT_EQ(predicted("UUID-A"), info(11, 0, 4));
}

TEST_F(BridgeTest, withdrawnConnectionEmptiesEveryLayoutAnswer) {
    host.calls().mainConnectionID = nullptr;
    EXPECT_EQ(tessarin_copy_managed_display_spaces(), nullptr);
    EXPECT_EQ(take(tessarin_copy_display_identifier_with_spaces()), std::nullopt);
    EXPECT_EQ(take(tessarin_copy_active_menu_bar_display_identifier()), std::nullopt);
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_EQ(take(tessarin_copy_space_title_for_display_identifier_and_index("UUID-B", 0)),
              std::nullopt);
    const WindowID window = host.windowServer().windows().front().number;
    EXPECT_EQ(tessarin_copy_space_ids_for_window_id(window), nullptr);
}

TEST_F(BridgeTest, unreadableSpacesAnswerSeparate) {
    host.windowServer().setSpacesReadable(false);
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_EQ(live("UUID-A"), std::nullopt);
}

TEST_F(BridgeTest, otherWithdrawnCalls) {
    host.calls().copyWindowList = nullptr;
    host.windowServer().setMissionControlOpen(true);
    EXPECT_FALSE(tessarin_is_mission_control_active());

    host.calls().copySpacesForWindows = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(tessarin_copy_space_ids_for_window_id(host.windowServer().windows().front().number),
              nullptr);
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
}

TEST(BridgeWithoutHostTest, everyFunctionAnswersNothing) {
    ASSERT_EQ(Host::installed(), nullptr);
    TessarinSpaceInfo read{1, 1, 1};
    EXPECT_FALSE(tessarin_get_space_info(&read));
    EXPECT_EQ(read, (TessarinSpaceInfo{0, 0, 0}));
    EXPECT_EQ(tessarin_copy_cursor_display_identifier(), nullptr);
    EXPECT_EQ(tessarin_copy_managed_display_spaces(), nullptr);
    EXPECT_TRUE(tessarin_displays_have_separate_spaces(2));
    EXPECT_FALSE(tessarin_is_mission_control_active());
    EXPECT_EQ(tessarin_current_space_switch_post_variant(), 0u);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tessarin_switch_to_index(0));
    testing::internal::GetCapturedStderr();
}

} // namespace
} // namespace tessarin
