#include "Platform/SystemSettings/SystemSettings.h"

#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"

#include <algorithm>
#include <filesystem>

namespace tessarin {

SystemSettings::SystemSettings(const SystemSettingsServices& services)
    : windows_(services.windows), system_(services.system), privacy_(services.privacy),
      program_(services.program), activation_(services.activation),
      keyboardShortcuts_(services.symbolicHotKeys, services.windows),
      desktopAndDock_(services.preferences, services.windows), trackpad_(services.preferences) {
    privacyToken_ = privacy_.addObserver([this] { notify(Change::listChanged); });
    Preferences& preferences = services.preferences;
    const std::pair<const char*, std::optional<std::string>> shown[] = {
        {SymbolicHotKeyTable::kDomain, std::nullopt},
        {DesktopAndDockPane::kDockDomain, DesktopAndDockPane::kAutomaticallyRearrangeKey},
        {DesktopAndDockPane::kSpacesDomain, DesktopAndDockPane::kSpansDisplaysKey},
        {TrackpadPane::kBuiltInDomain, std::nullopt},
        {TrackpadPane::kBluetoothDomain, std::nullopt},
        {TrackpadPane::kDockDomain, TrackpadPane::kMissionControlKey},
        {TrackpadPane::kDockDomain, TrackpadPane::kAppExposeKey}};
    for (const auto& [domain, key] : shown) {
        UserDefaults& values = preferences.domain(domain);
        const auto token = values.addObserver([this, key](const std::string& written) {
            if (!key || written == *key) {
                notify(Change::listChanged);
            }
        });
        domainObservationEnds_.push_back([&values, token] { values.removeObserver(token); });
    }
}

SystemSettings::~SystemSettings() {
    privacy_.removeObserver(privacyToken_);
    for (const auto& end : domainObservationEnds_) {
        end();
    }
}

std::optional<std::string> SystemSettings::privacyServiceOfPane(const std::string& pane) {
    if (pane.ends_with("?Privacy_Accessibility")) {
        return std::string(PrivacyService::accessibility);
    }
    if (pane.ends_with("?Privacy_ScreenCapture")) {
        return std::string(PrivacyService::screenCapture);
    }
    return std::nullopt;
}

SystemSettings::PaneKind SystemSettings::kindOfPane(const std::string& pane) {
    if (privacyServiceOfPane(pane)) {
        return PaneKind::privacy;
    }
    if (pane.starts_with("com.apple.Keyboard-Settings.extension")) {
        return PaneKind::keyboardShortcuts;
    }
    if (pane.starts_with("com.apple.Desktop-Settings")) {
        return PaneKind::desktopAndDock;
    }
    if (pane.starts_with("com.apple.Trackpad-Settings")) {
        return PaneKind::trackpad;
    }
    return PaneKind::other;
}

std::string SystemSettings::windowTitleOfPane(const std::string& pane) {
    if (pane.starts_with("com.apple.preference.security")) {
        return "Privacy & Security";
    }
    if (pane.starts_with("com.apple.Desktop-Settings")) {
        return "Desktop & Dock";
    }
    if (pane.starts_with("com.apple.Keyboard-Settings")) {
        return "Keyboard";
    }
    if (pane.starts_with("com.apple.Trackpad-Settings")) {
        return "Trackpad";
    }
    return kSystemSettingsName;
}

bool SystemSettings::isWindowOpen() const {
    return window_ && windows_.window(*window_).has_value();
}

void SystemSettings::ensureRunning() {
    if (!system_.runningApplication(configuration_.processIdentifier)) {
        system_.addRunningApplication({configuration_.processIdentifier,
                                       kSystemSettingsBundleIdentifier, kSystemSettingsName});
    }
}

bool SystemSettings::open(const std::string& address) {
    if (!address.starts_with(kSystemSettingsURLScheme)) {
        return false;
    }
    pane_ = address.substr(std::string(kSystemSettingsURLScheme).size());
    ensureRunning();
    if (isWindowOpen()) {
        // One window: another pane shows in it where it stands, and it keeps its number (and
        // its first title), so whoever follows it keeps following. It moves only out from under
        // a floating window, and only where the screen has room.
        if (const auto bounds = windowBounds()) {
            if (const auto placement = placed(*bounds);
                placement.clear && placement.frame != *bounds) {
                windows_.setWindowBounds(*window_, placement.frame);
            }
        }
        windows_.orderFront(*window_);
    } else {
        ServerWindow window;
        window.ownerPID = configuration_.processIdentifier;
        window.ownerName = kSystemSettingsName;
        window.name = windowTitleOfPane(pane_);
        window.bounds = placed(configuration_.windowFrame).frame;
        window.layer = 0;
        // It opens on the Space in front; without one it shows everywhere.
        if (const SpaceID space = windows_.activeSpace(); space != 0) {
            window.spaces = {space};
        } else {
            window.isSticky = true;
        }
        window_ = windows_.addWindow(window);
    }
    system_.activate(configuration_.processIdentifier);
    activation_.resignActive();
    notify(Change::opened);
    return true;
}

// The program's floating windows stay above System Settings' window, so it opens beside them.
SystemSettingsWindowPlacement SystemSettings::placed(const Rect& preferred) const {
    if (!deskReader_) {
        return {preferred, true};
    }
    return placeSystemSettingsWindow(preferred, deskReader_());
}

std::optional<std::string> SystemSettings::pane() const {
    if (!isWindowOpen()) {
        return std::nullopt;
    }
    return pane_;
}

std::optional<WindowID> SystemSettings::window() const {
    return isWindowOpen() ? window_ : std::nullopt;
}

std::optional<Rect> SystemSettings::windowBounds() const {
    if (!window_) {
        return std::nullopt;
    }
    const auto window = windows_.window(*window_);
    return window ? std::optional(window->bounds) : std::nullopt;
}

bool SystemSettings::moveWindow(const Rect& bounds) {
    if (!isWindowOpen() || !windows_.setWindowBounds(*window_, bounds)) {
        return false;
    }
    notify(Change::moved);
    return true;
}

bool SystemSettings::closeWindow() {
    if (!isWindowOpen()) {
        return false;
    }
    windows_.removeWindow(*window_);
    window_.reset();
    pane_.clear();
    notify(Change::closed);
    return true;
}

std::optional<std::string> SystemSettings::bundleIdentifierAt(const std::string& bundlePath) const {
    if (bundlePath == program_.bundlePath() ||
        (bundlePath == kInstalledProgramBundlePath && program_.fileExists(bundlePath))) {
        return program_.resolvedIdentifier();
    }
    return std::nullopt;
}

bool SystemSettings::dropBundle(const std::string& bundlePath) {
    const auto service = isWindowOpen() ? privacyServiceOfPane(pane_) : std::nullopt;
    const auto identifier = bundleIdentifierAt(bundlePath);
    if (!service || !identifier) {
        return false;
    }
    return privacy_.setDecision(*service, *identifier, true);
}

std::optional<std::string> SystemSettings::shownPrivacyService() const {
    return isWindowOpen() ? privacyServiceOfPane(pane_) : std::nullopt;
}

// A program is named as it runs, else after its bundle; the system knows only the program's
// own bundle on disk.
PrivacyPaneEntry SystemSettings::entryOf(const std::string& bundleIdentifier, bool allowed) const {
    PrivacyPaneEntry entry{bundleIdentifier, bundleIdentifier, {}, allowed};
    if (bundleIdentifier == program_.resolvedIdentifier()) {
        entry.bundlePath = program_.bundlePath();
        entry.name = std::filesystem::path(entry.bundlePath).stem().string();
    }
    for (const RunningApplication& application : system_.runningApplications()) {
        if (application.bundleIdentifier == bundleIdentifier && application.localizedName) {
            entry.name = *application.localizedName;
            break;
        }
    }
    return entry;
}

std::vector<PrivacyPaneEntry> SystemSettings::paneEntries() const {
    std::vector<PrivacyPaneEntry> entries;
    const auto service = shownPrivacyService();
    if (!service) {
        return entries;
    }
    for (const auto& [key, allowed] : privacy_.decisions()) {
        if (key.first == *service) {
            entries.push_back(entryOf(key.second, allowed));
        }
    }
    std::ranges::stable_sort(entries, {}, &PrivacyPaneEntry::name);
    return entries;
}

bool SystemSettings::setAllowed(const std::string& bundleIdentifier, bool allowed) {
    const auto service = shownPrivacyService();
    if (!service || !privacy_.decision(*service, bundleIdentifier)) {
        return false;
    }
    return privacy_.setDecision(*service, bundleIdentifier, allowed);
}

SystemSettings::ObserverToken SystemSettings::addObserver(std::function<void(Change)> observer) {
    const ObserverToken token = nextObserverToken_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void SystemSettings::removeObserver(ObserverToken token) {
    observers_.erase(token);
}

void SystemSettings::notify(Change change) {
    // A copy: an observer may add or remove observers.
    const auto observers = observers_;
    for (const auto& [token, observer] : observers) {
        observer(change);
    }
}

} // namespace tessarin
