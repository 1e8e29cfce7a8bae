#include "Platform/WindowServer.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <ranges>
#include <set>
#include <unordered_set>
#include <utility>

namespace tessarin {

namespace {

constexpr int kMainConnectionID = 0x1A2B;
// The Dock's windows while Mission Control shows: its Spaces bar and the window overview.
constexpr int kMissionControlLayers[] = {20, 18};

bool contains(const std::vector<SpaceID>& ids, SpaceID id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

WindowInfo infoOf(const ServerWindow& window, bool onScreen) {
    return WindowInfo{window.number, window.ownerPID,     window.ownerName,
                      window.name,   window.bounds,       window.layer,
                      window.alpha,  window.sharingState, onScreen};
}

} // namespace

std::string spaceUUIDString(SpaceID spaceID) {
    char text[40];
    std::snprintf(text, sizeof text, "5BACE000-0000-4000-8000-%012llX",
                  static_cast<unsigned long long>(spaceID & 0xFFFFFFFFFFFFULL));
    return text;
}

WindowServer::WindowServer(DisplayServer& displays, WorkspaceNotificationCenter& notifications)
    : displays_(displays), notifications_(notifications) {
    takeDisplays();
    displaysToken_ = displays_.addConfigurationObserver([this] { takeDisplays(); });
}

WindowServer::~WindowServer() {
    displays_.removeConfigurationObserver(displaysToken_);
}

// --- Displays -----------------------------------------------------------------------------

void WindowServer::takeDisplays() {
    std::vector<KnownDisplay> known;
    for (const Screen& screen : displays_.screens()) {
        known.push_back({screen.displayID, screen.uuid, displays_.toWindowServer(screen.frame)});
    }
    std::lock_guard lock(mutex_);
    knownDisplays_ = std::move(known);
}

const WindowServer::KnownDisplay* WindowServer::knownDisplayLocked(DisplayID displayID) const {
    const auto found =
        std::find_if(knownDisplays_.begin(), knownDisplays_.end(),
                     [&](const KnownDisplay& display) { return display.id == displayID; });
    return found == knownDisplays_.end() ? nullptr : &*found;
}

// --- Connection ---------------------------------------------------------------------------

int WindowServer::connectionID() const {
    std::lock_guard lock(mutex_);
    return connectionAvailable_ ? kMainConnectionID : 0;
}

void WindowServer::setConnectionAvailable(bool available) {
    std::lock_guard lock(mutex_);
    connectionAvailable_ = available;
}

// --- Spaces -------------------------------------------------------------------------------

void WindowServer::configureSpaces(bool displaysHaveSeparateSpaces, std::vector<SpaceList> lists) {
    applySpaceConfiguration(displaysHaveSeparateSpaces, std::move(lists));
    notifySpacesChanged();
}

void WindowServer::applySpaceConfiguration(bool displaysHaveSeparateSpaces,
                                           std::vector<SpaceList> lists) {
    std::lock_guard lock(mutex_);
    separateSpaces_ = displaysHaveSeparateSpaces;
    lists_ = std::move(lists);
    spaceListPositionsStale_ = true;
    for (SpaceList& list : lists_) {
        for (const ManagedSpace& space : list.spaces) {
            nextSpaceID_ = std::max(nextSpaceID_, space.id64 + 1);
        }
        const bool currentKnown =
            std::any_of(list.spaces.begin(), list.spaces.end(),
                        [&](const ManagedSpace& s) { return s.id64 == list.currentSpace; });
        if (!currentKnown) {
            list.currentSpace = list.spaces.empty() ? 0 : list.spaces.front().id64;
        }
    }
}

bool WindowServer::displaysHaveSeparateSpaces() const {
    std::lock_guard lock(mutex_);
    return separateSpaces_;
}

bool WindowServer::setDisplaysHaveSeparateSpaces(bool separate) {
    {
        std::lock_guard lock(mutex_);
        if (separate == separateSpaces_ || knownDisplays_.empty()) {
            return false;
        }
        lists_ = separate ? separateListsLocked() : sharedListsLocked();
        separateSpaces_ = separate;
        spaceListPositionsStale_ = true;
    }
    notifySpacesChanged();
    postActiveSpaceChanged();
    return true;
}

std::vector<SpaceList> WindowServer::separateListsLocked() {
    std::vector<SpaceList> lists;
    for (const KnownDisplay& display : knownDisplays_) {
        SpaceList list;
        if (lists.empty() && !lists_.empty()) {
            list = lists_.front();
        } else {
            const SpaceID id = nextSpaceID_++;
            list.spaces = {ManagedSpace{id, kSpaceTypeUserDesktop, spaceUUIDString(id)}};
            list.currentSpace = id;
        }
        list.displayIdentifier = display.uuid;
        lists.push_back(std::move(list));
    }
    return lists;
}

std::vector<SpaceList> WindowServer::sharedListsLocked() const {
    // The displays' lists in the displays' order (the main display's first), then any other.
    std::vector<const SpaceList*> ordered;
    for (const KnownDisplay& display : knownDisplays_) {
        if (const SpaceList* list = listLocked(display.uuid)) {
            ordered.push_back(list);
        }
    }
    for (const SpaceList& list : lists_) {
        if (std::find(ordered.begin(), ordered.end(), &list) == ordered.end()) {
            ordered.push_back(&list);
        }
    }
    SpaceList shared;
    shared.displayIdentifier = kSharedSpacesDisplayIdentifier;
    for (const SpaceList* list : ordered) {
        shared.spaces.insert(shared.spaces.end(), list->spaces.begin(), list->spaces.end());
        shared.ownTitles.insert(list->ownTitles.begin(), list->ownTitles.end());
        if (shared.currentSpace == 0) {
            shared.currentSpace = list->currentSpace;
        }
    }
    return {std::move(shared)};
}

std::vector<SpaceList> WindowServer::spaceLists() const {
    std::lock_guard lock(mutex_);
    return lists_;
}

std::optional<std::string> WindowServer::spaceListIdentifier(DisplayID displayID) const {
    std::lock_guard lock(mutex_);
    return listIdentifierLocked(displayID);
}

std::optional<std::string> WindowServer::listIdentifierLocked(DisplayID displayID) const {
    const KnownDisplay* display = knownDisplayLocked(displayID);
    if (display == nullptr) {
        return std::nullopt;
    }
    if (!separateSpaces_) {
        return std::string(kSharedSpacesDisplayIdentifier);
    }
    return display->uuid;
}

std::optional<SpaceList> WindowServer::spaceList(const std::string& displayIdentifier) const {
    std::lock_guard lock(mutex_);
    const SpaceList* list = listLocked(displayIdentifier);
    if (list == nullptr) {
        return std::nullopt;
    }
    return *list;
}

std::optional<std::string> WindowServer::spaceListIdentifierOfSpace(SpaceID spaceID) const {
    std::lock_guard lock(mutex_);
    const SpaceList* list = listOfSpaceLocked(spaceID);
    if (list == nullptr) {
        return std::nullopt;
    }
    return list->displayIdentifier;
}

std::optional<ManagedSpace> WindowServer::space(SpaceID spaceID) const {
    std::lock_guard lock(mutex_);
    const SpaceList* list = listOfSpaceLocked(spaceID);
    if (list == nullptr) {
        return std::nullopt;
    }
    for (const ManagedSpace& space : list->spaces) {
        if (space.id64 == spaceID) {
            return space;
        }
    }
    return std::nullopt;
}

SpaceList* WindowServer::listLocked(const std::string& identifier) {
    for (SpaceList& list : lists_) {
        if (list.displayIdentifier == identifier) {
            return &list;
        }
    }
    return nullptr;
}

const SpaceList* WindowServer::listLocked(const std::string& identifier) const {
    return const_cast<WindowServer*>(this)->listLocked(identifier);
}

const SpaceList* WindowServer::listOfSpaceLocked(SpaceID spaceID) const {
    if (spaceListPositionsStale_) {
        spaceListPositions_.clear();
        for (std::size_t i = 0; i < lists_.size(); ++i) {
            for (const ManagedSpace& space : lists_[i].spaces) {
                spaceListPositions_.try_emplace(space.id64, i); // the first list holding it
            }
        }
        spaceListPositionsStale_ = false;
    }
    const auto it = spaceListPositions_.find(spaceID);
    return it == spaceListPositions_.end() ? nullptr : &lists_[it->second];
}

bool WindowServer::setCurrentSpace(const std::string& displayIdentifier, SpaceID spaceID) {
    {
        std::lock_guard lock(mutex_);
        SpaceList* list = listLocked(displayIdentifier);
        if (list == nullptr || listOfSpaceLocked(spaceID) != list) {
            return false;
        }
        if (list->currentSpace == spaceID) {
            return true;
        }
        list->currentSpace = spaceID;
    }
    notifySpacesChanged();
    postActiveSpaceChanged();
    return true;
}

std::optional<SpaceID> WindowServer::currentSpace(const std::string& displayIdentifier) const {
    std::lock_guard lock(mutex_);
    return currentSpaceLocked(displayIdentifier);
}

std::optional<SpaceID>
WindowServer::currentSpaceLocked(const std::string& displayIdentifier) const {
    const SpaceList* list = listLocked(displayIdentifier);
    if (list == nullptr || list->currentSpace == 0) {
        return std::nullopt;
    }
    return list->currentSpace;
}

std::optional<SpaceID> WindowServer::addSpace(const std::string& displayIdentifier) {
    SpaceID id = 0;
    {
        std::lock_guard lock(mutex_);
        SpaceList* list = listLocked(displayIdentifier);
        if (list == nullptr) {
            return std::nullopt;
        }
        id = nextSpaceID_++;
        list->spaces.push_back(ManagedSpace{id, kSpaceTypeUserDesktop, spaceUUIDString(id)});
        spaceListPositionsStale_ = true;
        if (list->currentSpace == 0) {
            list->currentSpace = id;
        }
    }
    notifySpacesChanged();
    return id;
}

bool WindowServer::removeSpace(SpaceID spaceID) {
    bool currentChanged = false;
    {
        std::lock_guard lock(mutex_);
        auto* list = const_cast<SpaceList*>(listOfSpaceLocked(spaceID));
        if (list == nullptr) {
            return false;
        }
        const auto it = std::find_if(list->spaces.begin(), list->spaces.end(),
                                     [&](const ManagedSpace& s) { return s.id64 == spaceID; });
        const auto desktopCount =
            std::count_if(list->spaces.begin(), list->spaces.end(),
                          [](const ManagedSpace& s) { return s.type == kSpaceTypeUserDesktop; });
        if (it->type == kSpaceTypeUserDesktop && desktopCount <= 1) {
            return false;
        }
        list->spaces.erase(it);
        spaceListPositionsStale_ = true;
        // Windows and the focus go to the first desktop, never to a full-screen Space.
        const SpaceID first =
            std::find_if(list->spaces.begin(), list->spaces.end(), [](const ManagedSpace& s) {
                return s.type == kSpaceTypeUserDesktop;
            })->id64;
        for (ServerWindow& window : windows_) {
            if (!contains(window.spaces, spaceID)) {
                continue;
            }
            std::erase(window.spaces, spaceID);
            if (window.spaces.empty()) {
                window.spaces.push_back(first);
            }
        }
        if (list->currentSpace == spaceID) {
            list->currentSpace = first;
            currentChanged = true;
        }
    }
    notifySpacesChanged();
    if (currentChanged) {
        postActiveSpaceChanged();
    }
    return true;
}

WindowServer::SpacesObserverToken WindowServer::addSpacesObserver(std::function<void()> observer) {
    std::lock_guard lock(mutex_);
    const SpacesObserverToken token = nextObserverToken_++;
    spacesObservers_.emplace(token, std::move(observer));
    return token;
}

void WindowServer::removeSpacesObserver(SpacesObserverToken token) {
    std::lock_guard lock(mutex_);
    spacesObservers_.erase(token);
}

void WindowServer::notifySpacesChanged() {
    std::map<SpacesObserverToken, std::function<void()>> observers;
    {
        std::lock_guard lock(mutex_);
        observers = spacesObservers_;
    }
    for (const auto& [token, observer] : observers) {
        observer();
    }
}

void WindowServer::setSpacesReadable(bool readable) {
    std::lock_guard lock(mutex_);
    spacesReadable_ = readable;
}

std::optional<std::vector<ManagedDisplaySpaces>> WindowServer::managedDisplaySpaces() const {
    std::lock_guard lock(mutex_);
    if (!spacesReadable_) {
        return std::nullopt;
    }
    std::vector<ManagedDisplaySpaces> result;
    result.reserve(lists_.size());
    for (const SpaceList& list : lists_) {
        ManagedDisplaySpaces entry{list.displayIdentifier, std::nullopt, list.spaces,
                                   list.ownTitles};
        for (const ManagedSpace& space : list.spaces) {
            if (space.id64 == list.currentSpace) {
                entry.currentSpace = space;
            }
        }
        result.push_back(std::move(entry));
    }
    return result;
}

SpaceID WindowServer::activeSpace() const {
    std::lock_guard lock(mutex_);
    const auto identifier = activeMenuBarDisplayIdentifierLocked();
    if (!identifier) {
        return 0;
    }
    return currentSpaceLocked(*identifier).value_or(0);
}

void WindowServer::postActiveSpaceChanged() {
    notifications_.post(WorkspaceNotificationName::activeSpaceDidChange);
}

// --- Menu bar -----------------------------------------------------------------------------

std::optional<DisplayID> WindowServer::activeMenuBarDisplay() const {
    std::lock_guard lock(mutex_);
    return activeMenuBarDisplayLocked();
}

std::optional<DisplayID> WindowServer::activeMenuBarDisplayLocked() const {
    if (activeMenuBarDisplay_ && knownDisplayLocked(*activeMenuBarDisplay_) != nullptr) {
        return activeMenuBarDisplay_;
    }
    // A display that went away hands the menu bar back to the main screen.
    if (!knownDisplays_.empty()) {
        return knownDisplays_.front().id;
    }
    return std::nullopt;
}

void WindowServer::setActiveMenuBarDisplay(DisplayID displayID) {
    std::lock_guard lock(mutex_);
    activeMenuBarDisplay_ = displayID;
}

std::optional<std::string> WindowServer::activeMenuBarDisplayIdentifier() const {
    std::lock_guard lock(mutex_);
    return activeMenuBarDisplayIdentifierLocked();
}

std::optional<std::string> WindowServer::activeMenuBarDisplayIdentifierLocked() const {
    const auto display = activeMenuBarDisplayLocked();
    if (!display) {
        return std::nullopt;
    }
    return listIdentifierLocked(*display);
}

// --- Windows ------------------------------------------------------------------------------

WindowID WindowServer::addWindow(ServerWindow window) {
    std::lock_guard lock(mutex_);
    if (window.number == 0 || windowLocked(window.number) != nullptr) {
        window.number = nextWindowID_;
    }
    nextWindowID_ = std::max(nextWindowID_, window.number + 1);
    const auto position =
        std::find_if(windows_.begin(), windows_.end(),
                     [&](const ServerWindow& other) { return other.layer <= window.layer; });
    const WindowID number = window.number;
    windows_.insert(position, std::move(window));
    windowPositionsStale_ = true;
    return number;
}

void WindowServer::addWindows(std::vector<ServerWindow> frontToBack) {
    std::lock_guard lock(mutex_);
    // Numbered back to front, as one by one would.
    std::unordered_set<WindowID> added;
    for (ServerWindow& window : frontToBack | std::views::reverse) {
        if (window.number == 0 || added.contains(window.number) ||
            windowLocked(window.number) != nullptr) {
            window.number = nextWindowID_;
        }
        nextWindowID_ = std::max(nextWindowID_, window.number + 1);
        added.insert(window.number);
    }
    // Each stands in front of the older windows of its layer, the new ones in their own order.
    frontToBack.insert(frontToBack.end(), std::make_move_iterator(windows_.begin()),
                       std::make_move_iterator(windows_.end()));
    std::stable_sort(
        frontToBack.begin(), frontToBack.end(),
        [](const ServerWindow& a, const ServerWindow& b) { return a.layer > b.layer; });
    windows_ = std::move(frontToBack);
    windowPositionsStale_ = true;
}

bool WindowServer::removeWindow(WindowID windowID) {
    std::lock_guard lock(mutex_);
    windowPositionsStale_ = true;
    return std::erase_if(windows_, [&](const ServerWindow& w) { return w.number == windowID; }) > 0;
}

ServerWindow* WindowServer::windowLocked(WindowID windowID) {
    if (windowPositionsStale_) {
        windowPositions_.clear();
        for (std::size_t i = 0; i < windows_.size(); ++i) {
            windowPositions_.emplace(windows_[i].number, i);
        }
        windowPositionsStale_ = false;
    }
    const auto found = windowPositions_.find(windowID);
    return found == windowPositions_.end() ? nullptr : &windows_[found->second];
}

std::optional<ServerWindow> WindowServer::window(WindowID windowID) const {
    std::lock_guard lock(mutex_);
    const ServerWindow* window = const_cast<WindowServer*>(this)->windowLocked(windowID);
    if (window == nullptr) {
        return std::nullopt;
    }
    return *window;
}

std::vector<ServerWindow> WindowServer::windows() const {
    std::lock_guard lock(mutex_);
    return windows_;
}

bool WindowServer::moveWindow(WindowID windowID, SpaceID toSpace) {
    std::lock_guard lock(mutex_);
    ServerWindow* window = windowLocked(windowID);
    if (window == nullptr || listOfSpaceLocked(toSpace) == nullptr) {
        return false;
    }
    window->spaces = {toSpace};
    window->isSticky = false;
    return true;
}

bool WindowServer::setWindowSticky(WindowID windowID, bool sticky) {
    std::lock_guard lock(mutex_);
    ServerWindow* window = windowLocked(windowID);
    if (window == nullptr) {
        return false;
    }
    window->isSticky = sticky;
    return true;
}

bool WindowServer::setWindowOrderedOut(WindowID windowID, bool orderedOut) {
    std::lock_guard lock(mutex_);
    ServerWindow* window = windowLocked(windowID);
    if (window == nullptr) {
        return false;
    }
    window->isOrderedOut = orderedOut;
    return true;
}

bool WindowServer::setWindowBounds(WindowID windowID, const Rect& bounds) {
    std::lock_guard lock(mutex_);
    ServerWindow* window = windowLocked(windowID);
    if (window == nullptr) {
        return false;
    }
    window->bounds = bounds;
    return true;
}

bool WindowServer::orderFront(WindowID windowID) {
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const ServerWindow& w) { return w.number == windowID; });
    if (it == windows_.end()) {
        return false;
    }
    ServerWindow window = std::move(*it);
    windows_.erase(it);
    const auto position =
        std::find_if(windows_.begin(), windows_.end(),
                     [&](const ServerWindow& other) { return other.layer <= window.layer; });
    windows_.insert(position, std::move(window));
    windowPositionsStale_ = true;
    return true;
}

std::vector<WindowID> WindowServer::windowsOnSpace(SpaceID spaceID) const {
    std::lock_guard lock(mutex_);
    std::vector<WindowID> ids;
    for (const ServerWindow& window : windows_) {
        if (!window.isSticky && contains(window.spaces, spaceID)) {
            ids.push_back(window.number);
        }
    }
    return ids;
}

std::vector<ServerWindow> WindowServer::windowsShownOnSpace(SpaceID spaceID) const {
    std::lock_guard lock(mutex_);
    std::vector<ServerWindow> shown;
    for (const ServerWindow& window : windows_) {
        if (!window.isOrderedOut && contains(spacesOfWindowLocked(window), spaceID)) {
            shown.push_back(window);
        }
    }
    return shown;
}

bool WindowServer::isWindowOnScreen(WindowID windowID) const {
    std::lock_guard lock(mutex_);
    const ServerWindow* window = const_cast<WindowServer*>(this)->windowLocked(windowID);
    return window != nullptr && isOnScreenLocked(*window);
}

std::vector<SpaceID> WindowServer::spacesOfWindowLocked(const ServerWindow& window) const {
    std::vector<SpaceID> result;
    if (!window.isSticky) {
        for (const SpaceID id : window.spaces) {
            if (listOfSpaceLocked(id) != nullptr && !contains(result, id)) {
                result.push_back(id);
            }
        }
        return result;
    }
    for (const SpaceList& list : lists_) {
        const bool holds = window.spaces.empty() ||
                           std::any_of(window.spaces.begin(), window.spaces.end(),
                                       [&](SpaceID id) { return listOfSpaceLocked(id) == &list; });
        if (!holds) {
            continue;
        }
        for (const ManagedSpace& space : list.spaces) {
            result.push_back(space.id64);
        }
    }
    return result;
}

bool WindowServer::isCurrentLocked(SpaceID spaceID) const {
    return std::any_of(lists_.begin(), lists_.end(),
                       [&](const SpaceList& list) { return list.currentSpace == spaceID; });
}

bool WindowServer::isOnScreenLocked(const ServerWindow& window) const {
    if (window.isOrderedOut) {
        return false;
    }
    const auto spaces = spacesOfWindowLocked(window);
    return std::any_of(spaces.begin(), spaces.end(),
                       [&](SpaceID id) { return isCurrentLocked(id); });
}

std::vector<const ServerWindow*>
WindowServer::orderedWindowsLocked(std::vector<ServerWindow>& missionControlWindows) const {
    missionControlWindows.clear();
    if (missionControlOpen_) {
        std::size_t next = 0;
        for (const Rect& bounds : missionControlBounds_) {
            for (const int layer : kMissionControlLayers) {
                ServerWindow window;
                window.number = missionControlWindowIDs_[next++];
                window.ownerPID = dockProcessIdentifier_;
                window.ownerName = "Dock";
                window.bounds = bounds;
                window.layer = layer;
                window.isSticky = true;
                missionControlWindows.push_back(std::move(window));
            }
        }
    }
    // Sorting pointers, not the windows: a list is read on every guide tick and each window
    // carries strings and Space lists.
    std::vector<const ServerWindow*> ordered;
    ordered.reserve(missionControlWindows.size() + windows_.size());
    for (const ServerWindow& window : missionControlWindows) {
        ordered.push_back(&window);
    }
    for (const ServerWindow& window : windows_) {
        ordered.push_back(&window);
    }
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const ServerWindow* a, const ServerWindow* b) { return a->layer > b->layer; });
    return ordered;
}

std::optional<std::vector<WindowInfo>> WindowServer::windowList(uint32_t options,
                                                                WindowID relativeTo) const {
    std::lock_guard lock(mutex_);
    if (!windowListReadable_) {
        return std::nullopt;
    }
    std::vector<ServerWindow> missionControlWindows;
    const auto ordered = orderedWindowsLocked(missionControlWindows);
    auto onScreen = [&](const ServerWindow& window) { return isOnScreenLocked(window); };

    const bool above = (options & WindowListOption::onScreenAboveWindow) != 0;
    const bool below = (options & WindowListOption::onScreenBelowWindow) != 0;
    const bool including = (options & WindowListOption::includingWindow) != 0;
    const bool onScreenOnly = (options & WindowListOption::onScreenOnly) != 0 || above || below;
    const bool excludeDesktop = (options & WindowListOption::excludeDesktopElements) != 0;

    std::vector<WindowInfo> result;
    if (including && !above && !below) {
        for (const ServerWindow* window : ordered) {
            if (window->number == relativeTo) {
                result.push_back(infoOf(*window, onScreen(*window)));
            }
        }
        return result;
    }

    const auto relative = std::find_if(ordered.begin(), ordered.end(), [&](const ServerWindow* w) {
        return w->number == relativeTo;
    });
    const bool hasRelative = relativeTo != 0 && relative != ordered.end();
    for (auto it = ordered.begin(); it != ordered.end(); ++it) {
        const ServerWindow& window = **it;
        const bool visible = onScreen(window);
        if (onScreenOnly && !visible) {
            continue;
        }
        if (excludeDesktop && window.layer < 0) {
            continue;
        }
        if (hasRelative && (above || below)) {
            const bool isRelative = it == relative;
            const bool inFront = it < relative;
            const bool behind = it > relative;
            if (!(isRelative ? including : (above && inFront) || (below && behind))) {
                continue;
            }
        }
        result.push_back(infoOf(window, visible));
    }
    return result;
}

void WindowServer::setWindowListReadable(bool readable) {
    std::lock_guard lock(mutex_);
    windowListReadable_ = readable;
}

std::optional<std::vector<SpaceID>>
WindowServer::spacesForWindows(int mask, const std::vector<WindowID>& windowIDs) const {
    std::lock_guard lock(mutex_);
    const bool includeCurrent = (mask & SpaceMask::includesCurrent) != 0;
    const bool includeOthers = (mask & SpaceMask::includesOthers) != 0;
    std::vector<SpaceID> result;
    for (const WindowID windowID : windowIDs) {
        const ServerWindow* window = const_cast<WindowServer*>(this)->windowLocked(windowID);
        if (window == nullptr) {
            continue;
        }
        for (const SpaceID id : spacesOfWindowLocked(*window)) {
            const bool wanted = isCurrentLocked(id) ? includeCurrent : includeOthers;
            if (wanted && !contains(result, id)) {
                result.push_back(id);
            }
        }
    }
    return result;
}

// --- Mission Control ----------------------------------------------------------------------

bool WindowServer::isMissionControlOpen() const {
    std::lock_guard lock(mutex_);
    return missionControlOpen_;
}

void WindowServer::setMissionControlOpen(bool open) {
    std::map<MissionControlObserverToken, std::function<void()>> observers;
    {
        std::lock_guard lock(mutex_);
        if (open == missionControlOpen_) {
            return;
        }
        takeMissionControlWindowsLocked(open);
        observers = missionControlObservers_;
    }
    for (const auto& [token, observer] : observers) {
        observer();
    }
}

WindowServer::MissionControlObserverToken
WindowServer::addMissionControlObserver(std::function<void()> observer) {
    std::lock_guard lock(mutex_);
    const MissionControlObserverToken token = nextObserverToken_++;
    missionControlObservers_.emplace(token, std::move(observer));
    return token;
}

void WindowServer::removeMissionControlObserver(MissionControlObserverToken token) {
    std::lock_guard lock(mutex_);
    missionControlObservers_.erase(token);
}

void WindowServer::takeMissionControlWindowsLocked(bool open) {
    missionControlOpen_ = open;
    missionControlBounds_.clear();
    if (open) {
        for (const KnownDisplay& display : knownDisplays_) {
            missionControlBounds_.push_back(display.bounds);
        }
    }
    missionControlWindowIDs_.clear();
    if (open) {
        const std::size_t count = missionControlBounds_.size() * std::size(kMissionControlLayers);
        for (std::size_t i = 0; i < count; ++i) {
            missionControlWindowIDs_.push_back(nextWindowID_++);
        }
    }
}

int32_t WindowServer::dockProcessIdentifier() const {
    std::lock_guard lock(mutex_);
    return dockProcessIdentifier_;
}

void WindowServer::setDockProcessIdentifier(int32_t processIdentifier) {
    std::lock_guard lock(mutex_);
    dockProcessIdentifier_ = processIdentifier;
}

} // namespace tessarin
