#pragma once

#include "Platform/DisplayServer.h"
#include "Platform/WindowServerTypes.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessarin {

// The window server's record of one window.
struct ServerWindow {
    WindowID number = 0; // 0 asks the server for a fresh number
    int32_t ownerPID = 0;
    std::string ownerName;
    std::optional<std::string> name;
    Rect bounds; // window-server coordinates, y down
    int layer = 0;
    double alpha = 1.0;
    int sharingState = 1;
    std::vector<SpaceID> spaces; // the Spaces that hold it
    // On every Space of the lists that hold `spaces` (assigned to all Desktops); a sticky
    // window without Spaces is on every Space of every list.
    bool isSticky = false;
    bool isOrderedOut = false; // minimised or hidden: never on screen
    friend bool operator==(const ServerWindow&, const ServerWindow&) = default;
};

// One Space list: a display's own Spaces, or the shared list "Main".
struct SpaceList {
    std::string displayIdentifier;
    std::vector<ManagedSpace> spaces; // system order
    SpaceID currentSpace = 0;
    OwnSpaceTitles ownTitles{};
    friend bool operator==(const SpaceList&, const SpaceList&) = default;
};

// Spaces, windows and Mission Control. Displays either have separate Spaces (one list per
// display UUID) or share one list named "Main". Changing a current Space posts the active
// Space change notification.
//
// Threads: every member locks and works on the server's own copy of the displays (identifiers,
// UUIDs, bounds), so every member, those that take a DisplayID included, is safe from any thread
// while the main thread edits. The copy is taken on the main thread, when the display server
// tells its observers of a change; the display server itself has no lock and is never read
// from here otherwise. Main thread only: construction and destruction, which register and
// remove that observer. Spaces observers run on the thread that made the change.
class WindowServer {
public:
    WindowServer(DisplayServer& displays, WorkspaceNotificationCenter& notifications);
    ~WindowServer();
    WindowServer(const WindowServer&) = delete;
    WindowServer& operator=(const WindowServer&) = delete;

    // --- Connection ---------------------------------------------------------------------
    int connectionID() const;
    // With the connection down every call that takes a connection fails.
    void setConnectionAvailable(bool available);

    // --- Spaces -------------------------------------------------------------------------
    // Replaces all Space lists. With separate Spaces there is one list per display UUID; with
    // shared Spaces exactly one list named "Main". Windows keep their Spaces.
    void configureSpaces(bool displaysHaveSeparateSpaces, std::vector<SpaceList> lists);
    bool displaysHaveSeparateSpaces() const;
    // Groups the Spaces anew when "Displays have separate Spaces" changes. Shared: one list
    // "Main" holds every display's Spaces, the main display's first and current. Separate: the
    // main display keeps them and every other display starts with one new desktop. Windows keep
    // their Spaces. False, and nothing changes, when the displays already are so, or there are
    // none.
    bool setDisplaysHaveSeparateSpaces(bool separate);
    std::vector<SpaceList> spaceLists() const;
    // The identifier of the list that holds a display's Spaces (its UUID, or "Main").
    std::optional<std::string> spaceListIdentifier(DisplayID displayID) const;
    std::optional<SpaceList> spaceList(const std::string& displayIdentifier) const;
    std::optional<std::string> spaceListIdentifierOfSpace(SpaceID spaceID) const;
    std::optional<ManagedSpace> space(SpaceID spaceID) const;
    // Makes the Space current on its list; posts the active Space change notification when
    // that changed anything. False for an unknown list, or a Space of another list.
    bool setCurrentSpace(const std::string& displayIdentifier, SpaceID spaceID);
    std::optional<SpaceID> currentSpace(const std::string& displayIdentifier) const;
    // Adds a user desktop at the end of a list; its ID is fresh. Nothing for an unknown list.
    std::optional<SpaceID> addSpace(const std::string& displayIdentifier);
    // Removes a Space: its windows move to the first remaining desktop of its list, which also
    // becomes current when the removed Space was. False for an unknown Space, or for the last
    // user desktop of a list.
    bool removeSpace(SpaceID spaceID);
    // Called (on the editing thread, outside the lock) after every change of the Space lists:
    // configuration, current Space, added or removed Space.
    using SpacesObserverToken = int;
    SpacesObserverToken addSpacesObserver(std::function<void()> observer);
    void removeSpacesObserver(SpacesObserverToken token);
    // Makes the read of the Space lists fail (a window server that is not answering).
    void setSpacesReadable(bool readable);

    // Managed display Spaces as the window server reports them; nothing while unreadable.
    std::optional<std::vector<ManagedDisplaySpaces>> managedDisplaySpaces() const;
    // The current Space of the display with the active menu bar; 0 when there is none.
    SpaceID activeSpace() const;

    // --- Menu bar -----------------------------------------------------------------------
    std::optional<DisplayID> activeMenuBarDisplay() const;
    void setActiveMenuBarDisplay(DisplayID displayID);
    // The active menu bar display's list identifier (its UUID, or "Main").
    std::optional<std::string> activeMenuBarDisplayIdentifier() const;

    // --- Windows ------------------------------------------------------------------------
    // Adds a window in front of the others of its layer and returns its number.
    WindowID addWindow(ServerWindow window);
    // Adds windows listed front to back, as adding them one by one from the back would, at the
    // cost of one sort.
    void addWindows(std::vector<ServerWindow> frontToBack);
    bool removeWindow(WindowID windowID);
    std::optional<ServerWindow> window(WindowID windowID) const;
    std::vector<ServerWindow> windows() const; // front to back
    bool moveWindow(WindowID windowID, SpaceID toSpace);
    bool setWindowSticky(WindowID windowID, bool sticky);
    bool setWindowOrderedOut(WindowID windowID, bool orderedOut);
    bool setWindowBounds(WindowID windowID, const Rect& bounds);
    bool orderFront(WindowID windowID);
    // Windows whose Spaces include the Space (sticky windows not counted).
    std::vector<WindowID> windowsOnSpace(SpaceID spaceID) const;
    // What the Space shows, front to back: the windows it holds and the sticky ones of its
    // list, leaving out those ordered out. Empty for an unknown Space.
    std::vector<ServerWindow> windowsShownOnSpace(SpaceID spaceID) const;
    bool isWindowOnScreen(WindowID windowID) const;

    // The window list, front to back, filtered by the options; nothing while unreadable.
    std::optional<std::vector<WindowInfo>> windowList(uint32_t options, WindowID relativeTo) const;
    void setWindowListReadable(bool readable);
    // The Spaces that hold the windows, filtered by the mask (current and/or other Spaces), in
    // the order of the windows and without repeats. Safe off the main thread.
    std::optional<std::vector<SpaceID>>
    spacesForWindows(int mask, const std::vector<WindowID>& windows) const;

    // --- Mission Control ----------------------------------------------------------------
    bool isMissionControlOpen() const;
    // While open, the Dock shows its windows at layers 18 and 20 on every display.
    void setMissionControlOpen(bool open);
    // Called (on the changing thread, outside the lock) after Mission Control opened or closed,
    // whoever asked: the Dock's gesture and shortcut as well as its application.
    using MissionControlObserverToken = int;
    MissionControlObserverToken addMissionControlObserver(std::function<void()> observer);
    void removeMissionControlObserver(MissionControlObserverToken token);
    int32_t dockProcessIdentifier() const;
    void setDockProcessIdentifier(int32_t processIdentifier);

private:
    struct KnownDisplay {
        DisplayID id = 0;
        std::string uuid;
        Rect bounds; // window-server coordinates
    };

    void takeDisplays();
    const KnownDisplay* knownDisplayLocked(DisplayID displayID) const;
    std::optional<DisplayID> activeMenuBarDisplayLocked() const;
    std::optional<std::string> activeMenuBarDisplayIdentifierLocked() const;
    std::optional<SpaceID> currentSpaceLocked(const std::string& displayIdentifier) const;
    void applySpaceConfiguration(bool displaysHaveSeparateSpaces, std::vector<SpaceList> lists);
    std::vector<SpaceList> separateListsLocked();
    std::vector<SpaceList> sharedListsLocked() const;
    std::optional<std::string> listIdentifierLocked(DisplayID displayID) const;
    SpaceList* listLocked(const std::string& identifier);
    const SpaceList* listLocked(const std::string& identifier) const;
    const SpaceList* listOfSpaceLocked(SpaceID spaceID) const;
    std::vector<SpaceID> spacesOfWindowLocked(const ServerWindow& window) const;
    bool isCurrentLocked(SpaceID spaceID) const;
    bool isOnScreenLocked(const ServerWindow& window) const;
    // Front to back by layer; `missionControlWindows` holds the Dock's windows of an open
    // Mission Control, which the result points into.
    std::vector<const ServerWindow*>
    orderedWindowsLocked(std::vector<ServerWindow>& missionControlWindows) const;
    ServerWindow* windowLocked(WindowID windowID);
    // Opens or closes Mission Control: its windows' bounds and numbers.
    void takeMissionControlWindowsLocked(bool open);
    void postActiveSpaceChanged();
    void notifySpacesChanged();

    DisplayServer& displays_;
    WorkspaceNotificationCenter& notifications_;

    DisplayServer::ObserverToken displaysToken_ = 0;

    mutable std::mutex mutex_;
    std::vector<KnownDisplay> knownDisplays_; // the display server's order, main screen first
    bool separateSpaces_ = true;
    std::vector<SpaceList> lists_;
    std::vector<ServerWindow> windows_; // front to back within each layer
    // Where each window sits in windows_, made again after windows were added, removed or
    // reordered: scans look windows up one by one, and a search each time grew with the square.
    mutable std::unordered_map<WindowID, std::size_t> windowPositions_;
    mutable bool windowPositionsStale_ = true;
    // Which list holds each Space, made again after Spaces were added, removed or configured:
    // scans ask it for every window, and a search of every list each time grew with windows
    // times Spaces.
    mutable std::unordered_map<SpaceID, std::size_t> spaceListPositions_;
    mutable bool spaceListPositionsStale_ = true;
    std::optional<DisplayID> activeMenuBarDisplay_;
    bool connectionAvailable_ = true;
    bool spacesReadable_ = true;
    bool windowListReadable_ = true;
    bool missionControlOpen_ = false;
    std::vector<Rect> missionControlBounds_; // display bounds taken when it opened
    std::vector<WindowID> missionControlWindowIDs_;
    int32_t dockProcessIdentifier_ = 97;
    std::map<SpacesObserverToken, std::function<void()>> spacesObservers_;
    std::map<MissionControlObserverToken, std::function<void()>> missionControlObservers_;
    SpacesObserverToken nextObserverToken_ = 1;
    SpaceID nextSpaceID_ = 1;
    WindowID nextWindowID_ = 1;
};

// A deterministic UUID string for a Space made by the server.
std::string spaceUUIDString(SpaceID spaceID);

} // namespace tessarin
