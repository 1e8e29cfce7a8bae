#include "TessarinCore/TessarinCore.h"

#include "Platform/DockSwipeGesture.h"
#include "Platform/Host.h"
#include "Platform/Input/Event.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/SpacesConfiguration.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "TessarinCore/BridgeLog.h"
#include "TessarinCore/GridTargetResolver.h"
#include "TessarinCore/ManagedDisplaySpacesHandle.h"
#include "TessarinCore/SpaceLayout.h"
#include "TessarinCore/SpaceTitle.h"
#include "TessarinCore/SwitchPredictionTable.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <vector>

using tessarin::bridge::reportFailure;
using tessarin::bridge::SwitchPredictionTable;

namespace tessarin::bridge {
namespace {

constexpr uint32_t kMaximumDesktopNumber = 16;
constexpr uint16_t kUnboundKeyCode = 0xFFFF;
constexpr int kMissionControlLayers[] = {18, 20};
constexpr const char* kDockOwnerName = "Dock";

// --- Process-wide state -----------------------------------------------------------------

std::mutex tableMutex;
std::shared_ptr<SwitchPredictionTable> table;

std::shared_ptr<SwitchPredictionTable> predictionTable() {
    std::lock_guard lock(tableMutex);
    return table;
}

// --- Host access ------------------------------------------------------------------------

SystemCalls* systemCalls() {
    Host* host = Host::installed();
    return host == nullptr ? nullptr : &host->calls();
}

TimeInterval now() {
    Host* host = Host::installed();
    return host == nullptr ? 0 : host->queue().now();
}

// The window server's connection, when the call exists and answers.
std::optional<int> connection(const SystemCalls& calls) {
    if (!calls.mainConnectionID) {
        return std::nullopt;
    }
    const int cid = calls.mainConnectionID();
    return cid == 0 ? std::nullopt : std::optional<int>(cid);
}

struct SpaceLayoutRead {
    SystemCalls* calls = nullptr;
    int cid = 0;
    std::vector<ManagedDisplaySpaces> lists;
};

std::optional<SpaceLayoutRead> readSpaceLayout() {
    SystemCalls* calls = systemCalls();
    if (calls == nullptr || !calls->copyManagedDisplaySpaces) {
        return std::nullopt;
    }
    const auto cid = connection(*calls);
    if (!cid) {
        return std::nullopt;
    }
    auto lists = calls->copyManagedDisplaySpaces(*cid);
    if (!lists) {
        return std::nullopt;
    }
    return SpaceLayoutRead{calls, *cid, std::move(*lists)};
}

std::optional<SpaceID> activeSpace(const SpaceLayoutRead& read) {
    if (!read.calls->activeSpace) {
        return std::nullopt;
    }
    return read.calls->activeSpace(read.cid);
}

// The active Space without reading the layout.
std::optional<SpaceID> activeSpace() {
    SystemCalls* calls = systemCalls();
    const auto cid = calls ? connection(*calls) : std::nullopt;
    return cid ? activeSpace(SpaceLayoutRead{calls, *cid, {}}) : std::nullopt;
}

std::optional<DisplayID> displayAt(const SystemCalls& calls, Point point) {
    if (!calls.displaysWithPoint) {
        return std::nullopt;
    }
    const auto displays = calls.displaysWithPoint(point);
    return displays.empty() ? std::nullopt : std::optional<DisplayID>(displays.front());
}

std::optional<Point> cursorLocation(const SystemCalls& calls) {
    if (!calls.cursorLocation) {
        return std::nullopt;
    }
    return calls.cursorLocation();
}

std::optional<std::string> cursorDisplayIdentifier(const SystemCalls& calls) {
    if (!calls.displayUUID) {
        return std::nullopt;
    }
    const auto location = cursorLocation(calls);
    const auto display = location ? displayAt(calls, *location) : std::nullopt;
    if (!display) {
        return std::nullopt;
    }
    auto uuid = calls.displayUUID(*display);
    if (!uuid || uuid->empty()) {
        return std::nullopt;
    }
    return uuid;
}

std::optional<std::string> activeMenuBarDisplayIdentifier(const SystemCalls& calls) {
    if (!calls.copyActiveMenuBarDisplayIdentifier) {
        return std::nullopt;
    }
    const auto cid = connection(calls);
    if (!cid) {
        return std::nullopt;
    }
    auto identifier = calls.copyActiveMenuBarDisplayIdentifier(*cid);
    if (!identifier || identifier->empty()) {
        return std::nullopt;
    }
    return identifier;
}

// The centre of the connected display with this UUID (window-server coordinates).
std::optional<Point> displayCentre(const SystemCalls& calls, const std::string& uuid) {
    if (!calls.activeDisplayList || !calls.displayUUID || !calls.displayBounds) {
        return std::nullopt;
    }
    for (const DisplayID display : calls.activeDisplayList()) {
        if (calls.displayUUID(display) == uuid) {
            const Rect bounds = calls.displayBounds(display);
            if (bounds.isEmpty()) {
                return std::nullopt;
            }
            return bounds.center();
        }
    }
    return std::nullopt;
}

// Any point on a connected display: the pointer when it is on one, else the first display.
std::optional<Point> pointOnSomeDisplay(const SystemCalls& calls) {
    if (const auto location = cursorLocation(calls); location && displayAt(calls, *location)) {
        return location;
    }
    if (!calls.activeDisplayList || !calls.displayBounds) {
        return std::nullopt;
    }
    for (const DisplayID display : calls.activeDisplayList()) {
        const Rect bounds = calls.displayBounds(display);
        if (!bounds.isEmpty()) {
            return bounds.center();
        }
    }
    return std::nullopt;
}

// --- Reading Space information ----------------------------------------------------------

enum class Prediction { applied, ignored };

struct ResolvedList {
    SpaceLayoutRead read;
    const ManagedDisplaySpaces* entry = nullptr;
};

bool fillSpaceInfo(const ResolvedList& resolved, Prediction prediction, TessarinSpaceInfo* info) {
    const auto live = spaceInfo(*resolved.entry, activeSpace(resolved.read));
    if (!live) {
        return false;
    }
    *info = *live;
    if (prediction == Prediction::applied) {
        if (auto predictions = predictionTable()) {
            *info = predictions->apply(resolved.entry->displayIdentifier, *live, *resolved.entry,
                                       now());
        }
    }
    return true;
}

// The read layout and the entry of a display identifier (none: the display under the pointer).
std::optional<ResolvedList> resolveList(const char* displayIdentifier) {
    auto read = readSpaceLayout();
    if (!read) {
        return std::nullopt;
    }
    std::optional<std::string> identifier;
    if (displayIdentifier != nullptr) {
        identifier = std::string(displayIdentifier);
    } else {
        identifier = cursorDisplayIdentifier(*read->calls);
    }
    if (!identifier) {
        return std::nullopt;
    }
    ResolvedList resolved{std::move(*read), nullptr};
    resolved.entry = findSpaceList(resolved.read.lists, *identifier);
    if (resolved.entry == nullptr) {
        return std::nullopt;
    }
    return resolved;
}

bool getSpaceInfo(const char* displayIdentifier, Prediction prediction, TessarinSpaceInfo* info) {
    if (info == nullptr) {
        return false;
    }
    *info = TessarinSpaceInfo{};
    const auto resolved = resolveList(displayIdentifier);
    if (!resolved) {
        return false;
    }
    TessarinSpaceInfo filled{};
    if (!fillSpaceInfo(*resolved, prediction, &filled)) {
        return false;
    }
    *info = filled;
    return true;
}

char* copyString(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.c_str(), text.size() + 1);
    }
    return copy;
}

char* copyOptionalString(const std::optional<std::string>& text) {
    return text ? copyString(*text) : nullptr;
}

// --- Switching --------------------------------------------------------------------------

uint32_t postVariant() {
    Host* host = Host::installed();
    if (host == nullptr) {
        return rawValue(DockSwitchPostVariant::plain);
    }
    return rawValue(dockSwitchPostVariant(host->system().operatingSystemVersion().majorVersion));
}

// Where the switch gesture is made: on the display that owns the list.
std::optional<Point> gestureLocation(const SystemCalls& calls, const char* requestedIdentifier,
                                     const ManagedDisplaySpaces& entry) {
    if (requestedIdentifier == nullptr) {
        return cursorLocation(calls);
    }
    if (auto centre = displayCentre(calls, requestedIdentifier)) {
        return centre;
    }
    if (auto centre = displayCentre(calls, entry.displayIdentifier)) {
        return centre;
    }
    // Shared Spaces turn from any display.
    if (entry.displayIdentifier == kSharedSpacesDisplayIdentifier) {
        return pointOnSomeDisplay(calls);
    }
    return std::nullopt;
}

std::string describe(const char* displayIdentifier) {
    return displayIdentifier == nullptr ? std::string("the pointer's display")
                                        : "display " + std::string(displayIdentifier);
}

bool switchToIndex(const char* displayIdentifier, uint32_t index) {
    const std::string what = "switch to Space index " + std::to_string(index) + " on " +
                             describe(displayIdentifier) + " failed: ";
    SystemCalls* calls = systemCalls();
    if (calls == nullptr || !calls->postEvent || !calls->mainConnectionID ||
        !calls->copyManagedDisplaySpaces) {
        reportFailure(what + "window-server calls unavailable");
        return false;
    }
    const auto resolved = resolveList(displayIdentifier);
    if (!resolved) {
        reportFailure(what + "the display's Spaces cannot be read");
        return false;
    }
    const ManagedDisplaySpaces& entry = *resolved->entry;
    TessarinSpaceInfo live{};
    if (!fillSpaceInfo(*resolved, Prediction::ignored, &live)) {
        reportFailure(what + "the display has no current Space");
        return false;
    }
    if (index >= live.spaceCount) {
        reportFailure(what + "the display has " + std::to_string(live.spaceCount) + " Spaces");
        return false;
    }
    const auto location = gestureLocation(*calls, displayIdentifier, entry);
    if (!location) {
        reportFailure(what + "the display is not connected");
        return false;
    }

    // Steps count from where the display will be once the switches already posted have landed.
    auto predictions = predictionTable();
    const TimeInterval postedAt = now();
    uint32_t base = live.currentIndex;
    if (predictions) {
        const TessarinSpaceInfo predicted =
            predictions->apply(entry.displayIdentifier, live, entry, postedAt);
        base = predicted.currentIndex;
    }
    const int64_t steps = static_cast<int64_t>(index) - static_cast<int64_t>(base);
    const auto variant =
        dockSwitchPostVariantFromRawValue(postVariant()).value_or(DockSwitchPostVariant::plain);
    if (steps != 0) {
        for (const Event& event :
             encodeDockSpaceSwitch(DockSpaceSwitchGesture{*location, steps, index, variant})) {
            calls->postEvent(event);
        }
    }
    if (predictions) {
        predictions->record(entry.displayIdentifier, index, entry.spaces[index].id64, postedAt);
    }
    return true;
}

} // namespace
} // namespace tessarin::bridge

using namespace tessarin;
using namespace tessarin::bridge;

extern "C" {

bool tessarin_init(void) {
    std::lock_guard lock(tableMutex);
    if (!table) {
        table = std::shared_ptr<SwitchPredictionTable>(new (std::nothrow) SwitchPredictionTable);
        if (!table) {
            reportFailure("could not create the switch-prediction table");
        }
    }
    return table != nullptr;
}

void tessarin_destroy(void) {
    std::lock_guard lock(tableMutex);
    table.reset();
}

bool tessarin_get_space_info(TessarinSpaceInfo* info) {
    return getSpaceInfo(nullptr, Prediction::applied, info);
}

bool tessarin_get_space_info_for_display_identifier(const char* displayIdentifier,
                                                    TessarinSpaceInfo* info) {
    if (displayIdentifier == nullptr) {
        if (info != nullptr) {
            *info = TessarinSpaceInfo{};
        }
        return false;
    }
    return getSpaceInfo(displayIdentifier, Prediction::applied, info);
}

bool tessarin_get_live_space_info(TessarinSpaceInfo* info) {
    return getSpaceInfo(nullptr, Prediction::ignored, info);
}

bool tessarin_get_live_space_info_for_display_identifier(const char* displayIdentifier,
                                                         TessarinSpaceInfo* info) {
    if (displayIdentifier == nullptr) {
        if (info != nullptr) {
            *info = TessarinSpaceInfo{};
        }
        return false;
    }
    return getSpaceInfo(displayIdentifier, Prediction::ignored, info);
}

bool tessarin_get_menubar_space_info(TessarinSpaceInfo* info) {
    if (info == nullptr) {
        return false;
    }
    *info = TessarinSpaceInfo{};
    SystemCalls* calls = systemCalls();
    const auto identifier = calls ? activeMenuBarDisplayIdentifier(*calls) : std::nullopt;
    if (!identifier) {
        return false;
    }
    return getSpaceInfo(identifier->c_str(), Prediction::applied, info);
}

char* tessarin_copy_cursor_display_identifier(void) {
    SystemCalls* calls = systemCalls();
    return calls ? copyOptionalString(cursorDisplayIdentifier(*calls)) : nullptr;
}

char* tessarin_copy_active_menu_bar_display_identifier(void) {
    SystemCalls* calls = systemCalls();
    return calls ? copyOptionalString(activeMenuBarDisplayIdentifier(*calls)) : nullptr;
}

char* tessarin_copy_display_identifier_with_spaces(void) {
    const auto read = readSpaceLayout();
    if (!read) {
        return nullptr;
    }
    const ManagedDisplaySpaces* first = firstListWithSpaces(read->lists);
    return first ? copyString(first->displayIdentifier) : nullptr;
}

bool tessarin_displays_have_separate_spaces(uint32_t screenCount) {
    if (screenCount == 0) {
        return true;
    }
    const auto read = readSpaceLayout();
    return displaysHaveSeparateSpaces(screenCount,
                                      read ? std::optional(read->lists) : std::nullopt);
}

TessarinManagedDisplaySpaces* tessarin_copy_managed_display_spaces(void) {
    auto read = readSpaceLayout();
    if (!read) {
        return nullptr;
    }
    return new (std::nothrow) TessarinManagedDisplaySpaces{std::move(read->lists)};
}

uint32_t tessarin_count_space_display_lists_in_managed_display_spaces(
    const TessarinManagedDisplaySpaces* spaces) {
    if (spaces == nullptr) {
        return 0;
    }
    return static_cast<uint32_t>(
        std::count_if(spaces->lists.begin(), spaces->lists.end(), hasVisibleSpaces));
}

void tessarin_release_managed_display_spaces(TessarinManagedDisplaySpaces* spaces) {
    delete spaces;
}

bool tessarin_get_live_space_info_for_display_identifier_in_managed_display_spaces(
    const TessarinManagedDisplaySpaces* spaces, const char* displayIdentifier,
    TessarinSpaceInfo* info) {
    if (info == nullptr) {
        return false;
    }
    *info = TessarinSpaceInfo{};
    const ManagedDisplaySpaces* entry =
        spaces && displayIdentifier ? findSpaceList(spaces->lists, displayIdentifier) : nullptr;
    const auto live = entry ? spaceInfo(*entry, activeSpace()) : std::nullopt;
    if (!live) {
        return false;
    }
    *info = *live;
    return true;
}

char* tessarin_copy_space_title_for_display_identifier_and_index(const char* displayIdentifier,
                                                                 uint32_t index) {
    if (displayIdentifier == nullptr) {
        return nullptr;
    }
    const auto resolved = resolveList(displayIdentifier);
    if (!resolved || index >= resolved->entry->spaces.size()) {
        return nullptr;
    }
    Host* host = Host::installed();
    if (host == nullptr) {
        return nullptr;
    }
    const auto configuration = host->preferences().appValue(SpacesConfigurationKey::configuration,
                                                            SpacesConfigurationKey::domain);
    return copyOptionalString(
        spaceTitle(*resolved->entry, resolved->entry->spaces[index], configuration.get()));
}

TessarinSpaceTitleList*
tessarin_copy_space_titles_for_display_identifier(const char* displayIdentifier) {
    Host* host = Host::installed();
    const auto resolved =
        displayIdentifier != nullptr ? resolveList(displayIdentifier) : std::nullopt;
    if (!resolved || host == nullptr) {
        return nullptr;
    }
    // Shared, not copied: the configuration holds every Space of every display.
    const auto configuration = host->preferences().appValue(SpacesConfigurationKey::configuration,
                                                            SpacesConfigurationKey::domain);
    const auto titles = spaceTitlesInOrder(*resolved->entry, configuration.get());
    auto* list = new (std::nothrow) TessarinSpaceTitleList{0, nullptr};
    if (list == nullptr) {
        return nullptr;
    }
    list->titles = new (std::nothrow) char*[titles.size()]();
    if (list->titles == nullptr) {
        delete list;
        return nullptr;
    }
    list->count = static_cast<uint32_t>(titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        list->titles[i] = copyOptionalString(titles[i]);
    }
    return list;
}

void tessarin_release_space_title_list(TessarinSpaceTitleList* list) {
    if (list == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < list->count; ++i) {
        std::free(list->titles[i]);
    }
    delete[] list->titles;
    delete list;
}

char* tessarin_copy_space_title_for_index(uint32_t index) {
    SystemCalls* calls = systemCalls();
    const auto identifier = calls ? cursorDisplayIdentifier(*calls) : std::nullopt;
    if (!identifier) {
        return nullptr;
    }
    return tessarin_copy_space_title_for_display_identifier_and_index(identifier->c_str(), index);
}

TessarinSpaceIDList* tessarin_copy_space_ids_for_window_id(uint32_t windowID) {
    SystemCalls* calls = systemCalls();
    if (calls == nullptr || !calls->mainConnectionID || windowID == 0) {
        return nullptr;
    }
    if (!calls->copySpacesForWindows) {
        static std::atomic<bool> reported{false};
        if (!reported.exchange(true)) {
            reportFailure("the window-to-Spaces lookup is unavailable");
        }
        return nullptr;
    }
    const auto cid = connection(*calls);
    if (!cid) {
        return nullptr;
    }
    const auto spaces = calls->copySpacesForWindows(*cid, SpaceMask::all, {windowID});
    if (!spaces) {
        return nullptr;
    }
    auto* list = new (std::nothrow) TessarinSpaceIDList{0, nullptr};
    if (list == nullptr) {
        return nullptr;
    }
    if (!spaces->empty()) {
        list->spaceIDs = new (std::nothrow) uint64_t[spaces->size()];
        if (list->spaceIDs == nullptr) {
            delete list;
            return nullptr;
        }
        std::copy(spaces->begin(), spaces->end(), list->spaceIDs);
        list->count = static_cast<uint32_t>(spaces->size());
    }
    return list;
}

void tessarin_release_space_id_list(TessarinSpaceIDList* list) {
    if (list == nullptr) {
        return;
    }
    delete[] list->spaceIDs;
    delete list;
}

void tessarin_release_string(char* string) {
    std::free(string);
}

bool tessarin_is_mission_control_active(void) {
    SystemCalls* calls = systemCalls();
    if (calls == nullptr || !calls->copyWindowList) {
        return false;
    }
    const auto windows = calls->copyWindowList(WindowListOption::onScreenOnly, 0);
    if (!windows) {
        return false;
    }
    return std::all_of(
        std::begin(kMissionControlLayers), std::end(kMissionControlLayers), [&](int layer) {
            return std::any_of(windows->begin(), windows->end(), [&](const WindowInfo& window) {
                return window.ownerName == kDockOwnerName && window.layer == layer;
            });
        });
}

void tessarin_reset_switch_predictions(void) {
    if (auto predictions = predictionTable()) {
        predictions->reset();
    }
}

bool tessarin_resolve_target_index_with_wrap_style(TessarinSpaceInfo info,
                                                   TessarinDirection direction, bool gridMode,
                                                   uint32_t columnCount, bool blocksAtEdges,
                                                   bool pacMan, uint32_t* targetIndex) {
    const auto move = gridMoveDirectionFromRawValue(direction);
    if (!move) {
        return false;
    }
    const auto target = resolveGridTargetIndex(GridMoveRequest{
        info.currentIndex, info.spaceCount, *move, gridMode, columnCount, blocksAtEdges, pacMan});
    if (!target) {
        return false;
    }
    if (targetIndex != nullptr) {
        *targetIndex = *target;
    }
    return true;
}

bool tessarin_switch_to_index(uint32_t index) {
    return switchToIndex(nullptr, index);
}

bool tessarin_switch_to_index_on_display_identifier(const char* displayIdentifier, uint32_t index) {
    if (displayIdentifier == nullptr || *displayIdentifier == '\0') {
        reportFailure("switch to Space index " + std::to_string(index) +
                      " failed: no display identifier");
        return false;
    }
    return switchToIndex(displayIdentifier, index);
}

uint32_t tessarin_current_space_switch_post_variant(void) {
    return postVariant();
}

uint32_t tessarin_synthetic_event_user_data(void) {
    return static_cast<uint32_t>(kSyntheticEventUserData);
}

int64_t tessarin_synthetic_event_private_source_tag(void) {
    return kSyntheticEventPrivateSourceTag;
}

bool tessarin_get_switch_to_desktop_shortcut(uint32_t desktopNumber,
                                             TessarinSymbolicShortcut* shortcut) {
    if (shortcut == nullptr) {
        return false;
    }
    *shortcut = TessarinSymbolicShortcut{};
    if (desktopNumber < 1 || desktopNumber > kMaximumDesktopNumber) {
        return false;
    }
    SystemCalls* calls = systemCalls();
    if (calls == nullptr || !calls->symbolicHotKeyValue || !calls->isSymbolicHotKeyEnabled) {
        return false;
    }
    const int hotKey = 117 + static_cast<int>(desktopNumber);
    if (!calls->isSymbolicHotKeyEnabled(hotKey)) {
        return false;
    }
    const auto value = calls->symbolicHotKeyValue(hotKey);
    if (!value || value->virtualKeyCode == kUnboundKeyCode) {
        return false;
    }
    *shortcut =
        TessarinSymbolicShortcut{value->virtualKeyCode, value->keyEquivalent, value->modifierFlags};
    return true;
}

} // extern "C"
