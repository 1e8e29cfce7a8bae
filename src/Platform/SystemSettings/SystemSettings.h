#pragma once

#include "Platform/SystemSettings/DesktopAndDockPane.h"
#include "Platform/SystemSettings/KeyboardShortcutsPane.h"
#include "Platform/SystemSettings/SystemSettingsWindowPlacement.h"
#include "Platform/SystemSettings/TrackpadPane.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

class Preferences;
class PrivacyDatabase;
class ProgramActivation;
class ProgramBundle;
class SymbolicHotKeyTable;
class SystemServices;
class WindowServer;

inline constexpr const char* kSystemSettingsURLScheme = "x-apple.systempreferences:";
inline constexpr const char* kSystemSettingsBundleIdentifier = "com.apple.systempreferences";
inline constexpr const char* kSystemSettingsName = "System Settings";

struct SystemSettingsConfiguration {
    int32_t processIdentifier = 412;
    Rect windowFrame{260, 140, 715, 620}; // where its window first appears (y down)
    friend bool operator==(const SystemSettingsConfiguration&,
                           const SystemSettingsConfiguration&) = default;
};

// One program in a Privacy pane's list, with its switch.
struct PrivacyPaneEntry {
    std::string bundleIdentifier;
    std::string name;
    std::string bundlePath; // empty when the system does not know where it is
    bool allowed = false;
    friend bool operator==(const PrivacyPaneEntry&, const PrivacyPaneEntry&) = default;
};

// The services System Settings shows and changes.
struct SystemSettingsServices {
    WindowServer& windows;
    SystemServices& system;
    PrivacyDatabase& privacy;
    const ProgramBundle& program;
    ProgramActivation& activation;
    Preferences& preferences;
    SymbolicHotKeyTable& symbolicHotKeys;
};

// The System Settings application. An "x-apple.systempreferences:" address brings up its one
// window (layer 0) on that pane and makes it the frontmost application, so the program resigns
// active. A Privacy pane lists the programs that have a decision for its service, each with a
// switch, and grants its permission to a bundle dropped on the list; the Keyboard Shortcuts pane
// turns the Mission Control shortcuts on and off; the Desktop & Dock pane has the Spaces'
// switches; the Trackpad pane turns the system's own gestures off. A person does this in the window
// that mirrors it on the desktop; a test moves and closes the window and drops bundles. Main-thread
// only.
class SystemSettings {
public:
    enum class Change { opened, moved, closed, listChanged };
    // What a pane shows; `other` for the panes the host has nothing of.
    enum class PaneKind { privacy, keyboardShortcuts, desktopAndDock, trackpad, other };
    using ObserverToken = int;

    explicit SystemSettings(const SystemSettingsServices& services);
    ~SystemSettings();
    SystemSettings(const SystemSettings&) = delete;
    SystemSettings& operator=(const SystemSettings&) = delete;

    void configure(const SystemSettingsConfiguration& configuration) {
        configuration_ = configuration;
    }
    // What it reads of the desktop to open its window clear of the program's floating windows;
    // without one the window opens at its configured frame.
    void setDeskReader(SystemSettingsDeskReader reader) { deskReader_ = std::move(reader); }

    // False, and nothing happens, for an address of another scheme.
    bool open(const std::string& address);
    // The pane shown (the address without its scheme); none while the window is closed.
    std::optional<std::string> pane() const;
    std::optional<WindowID> window() const;
    // The window's bounds in window-server coordinates (y down), while it is open.
    std::optional<Rect> windowBounds() const;

    bool moveWindow(const Rect& bounds);
    bool closeWindow();
    // True when a Privacy pane took the bundle and granted its permission.
    bool dropBundle(const std::string& bundlePath);
    // The programs the shown Privacy pane lists, by name; empty for any other pane.
    std::vector<PrivacyPaneEntry> paneEntries() const;
    // Flips the switch of a program the shown Privacy pane lists; false for any other.
    bool setAllowed(const std::string& bundleIdentifier, bool allowed);

    KeyboardShortcutsPane& keyboardShortcutsPane() { return keyboardShortcuts_; }
    DesktopAndDockPane& desktopAndDockPane() { return desktopAndDock_; }
    TrackpadPane& trackpadPane() { return trackpad_; }

    // Told after each change: the window opened (or was brought front), moved or closed, or what
    // a pane shows changed (a decision of the privacy database, a symbolic hot key, a Spaces
    // switch, a trackpad gesture), whoever changed it.
    ObserverToken addObserver(std::function<void(Change)> observer);
    void removeObserver(ObserverToken token);

    // The privacy service a pane lists ("Accessibility", "ScreenCapture"), if any.
    static std::optional<std::string> privacyServiceOfPane(const std::string& pane);
    static PaneKind kindOfPane(const std::string& pane);
    static std::string windowTitleOfPane(const std::string& pane);

private:
    bool isWindowOpen() const;
    SystemSettingsWindowPlacement placed(const Rect& preferred) const;
    void ensureRunning();
    std::optional<std::string> bundleIdentifierAt(const std::string& bundlePath) const;
    std::optional<std::string> shownPrivacyService() const;
    PrivacyPaneEntry entryOf(const std::string& bundleIdentifier, bool allowed) const;
    void notify(Change change);

    WindowServer& windows_;
    SystemServices& system_;
    PrivacyDatabase& privacy_;
    const ProgramBundle& program_;
    ProgramActivation& activation_;
    SystemSettingsConfiguration configuration_;
    SystemSettingsDeskReader deskReader_;
    std::optional<WindowID> window_;
    std::string pane_;
    std::map<ObserverToken, std::function<void(Change)>> observers_;
    ObserverToken nextObserverToken_ = 1;
    int privacyToken_ = 0;
    KeyboardShortcutsPane keyboardShortcuts_;
    DesktopAndDockPane desktopAndDock_;
    TrackpadPane trackpad_;
    // Each ends one observation of a preference domain a pane shows.
    std::vector<std::function<void()>> domainObservationEnds_;
};

} // namespace tessarin
