#include "Platform/Host.h"

#include "Platform/Accessibility.h"
#include "Platform/Applications/ApplicationOpener.h"
#include "Platform/DisplayServer.h"
#include "Platform/Dock.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/Input/Trackpad.h"
#include "Platform/MissionControl.h"
#include "Platform/Multitouch/MultitouchManager.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/Scenario.h"
#include "Platform/ScreenCapture/PreviewServices.h"
#include "Platform/SetupServices.h"
#include "Platform/SpacesConfiguration.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowCapture/WindowImageCapture.h"
#include "Platform/WindowServer.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace tessarin {

namespace {

std::atomic<Host*> currentHost{nullptr};

std::vector<SpaceList> spaceListsOf(const Scenario& scenario) {
    std::vector<SpaceList> lists;
    for (const ScenarioSpaceList& source : scenario.spaceLists) {
        SpaceList list{source.displayIdentifier, {}, source.currentSpace};
        for (const ScenarioSpace& space : source.spaces) {
            list.spaces.push_back({space.id, space.type,
                                   space.uuid.empty() ? spaceUUIDString(space.id) : space.uuid});
            if (space.title) {
                list.ownTitles[space.id] = *space.title;
            }
        }
        lists.push_back(std::move(list));
    }
    return lists;
}

SpaceTitles spaceTitlesOf(const Scenario& scenario) {
    SpaceTitles titles;
    for (const ScenarioSpaceList& list : scenario.spaceLists) {
        for (const ScenarioSpace& space : list.spaces) {
            if (space.title) {
                titles[space.id] = *space.title;
            }
        }
    }
    return titles;
}

// Windows without a number get one after the highest given number, in scenario order, so a
// given number is never taken by another window first.
std::vector<ServerWindow> numberedWindows(std::vector<ServerWindow> windows) {
    WindowID next = 1;
    for (const ServerWindow& window : windows) {
        next = std::max(next, window.number + 1);
    }
    for (ServerWindow& window : windows) {
        if (window.number == 0) {
            window.number = next++;
        }
    }
    return windows;
}

std::unique_ptr<UserDefaults> makeOwnDefaults(const HostOptions& options) {
    if (options.readOnlyDefaults) {
        auto defaults = std::make_unique<UserDefaults>();
        defaults->replaceAll(*options.readOnlyDefaults);
        return defaults;
    }
    if (options.defaultsFile) {
        return std::make_unique<UserDefaults>(*options.defaultsFile);
    }
    return std::make_unique<UserDefaults>();
}

} // namespace

struct Host::Parts {
    Parts(const Scenario& scenario, MainQueue& queue, const HostOptions& options)
        : notifications(queue), displays(scenario.displays), windowServer(displays, notifications),
          program(scenario.setupServices.program), system(notifications, privacy, program),
          ownDefaults(makeOwnDefaults(options)), preferences(*ownDefaults),
          symbolicHotKeys(preferences), events(queue), hotKeys(events),
          dock(windowServer, displays, events, queue),
          missionControl(windowServer, displays, queue),
          accessibility([this] { return system.isProcessTrusted(); }),
          multitouch(scenario.multitouchFramework ? std::make_unique<MultitouchManager>()
                                                  : nullptr),
          trackpad(events, queue, preferences, multitouch.get()),
          setup(windowServer, system, privacy, program, preferences, symbolicHotKeys),
          previews(scenario.previewServices, windowServer, displays, system),
          // Applications opened by path
          applications([this] { missionControl.open(); }) {}

    WorkspaceNotificationCenter notifications;
    DisplayServer displays;
    WindowServer windowServer;
    // Setup services: the privacy database and the bundle come before the system services,
    // which read them; the rest sits on top of everything.
    PrivacyDatabase privacy;
    ProgramBundle program;
    SystemServices system;
    std::unique_ptr<UserDefaults> ownDefaults;
    Preferences preferences;
    SymbolicHotKeyTable symbolicHotKeys;
    EventSystem events;
    HotKeyCenter hotKeys;
    Dock dock;
    MissionControl missionControl;
    Accessibility accessibility;
    std::unique_ptr<MultitouchManager> multitouch;
    Trackpad trackpad;
    SetupServices setup;      // setup services
    PreviewServices previews; // window previews
    // Window capture.
    WindowImageCapture windowImages;
    // Symbol images.
    SystemSymbolImages symbols;
    // Applications opened by path
    ApplicationOpener applications;
    // Status bar.
    StatusBar statusBar;

    WindowServer::SpacesObserverToken spacesToken = 0;
    DisplayServer::ObserverToken displaysToken = 0;
    UserDefaultsObserverToken defaultsToken;
};

Host::Host(const Scenario& scenario, MainQueue& queue, HostOptions options)
    : queue_(queue), parts_(std::make_unique<Parts>(scenario, queue, options)) {
    Parts& p = *parts_;

    if (scenario.mouseLocation) {
        // A scenario may put the pointer where the system's own never is.
        p.displays.setMouseLocation(p.displays.pointerPlacement(*scenario.mouseLocation));
    }

    p.windowServer.configureSpaces(scenario.displaysHaveSeparateSpaces, spaceListsOf(scenario));
    if (scenario.activeMenuBarDisplay) {
        p.windowServer.setActiveMenuBarDisplay(*scenario.activeMenuBarDisplay);
    }
    p.windowServer.setDockProcessIdentifier(scenario.dockProcessIdentifier);
    p.windowServer.addWindows(numberedWindows(scenario.windows));

    p.system.setProcessTrusted(scenario.accessibilityTrusted);
    p.system.setScreenCaptureAccess(scenario.screenCaptureAllowed);
    p.system.setOperatingSystemVersion(scenario.operatingSystemVersion);
    p.system.setInitialAppearance(scenario.appearance);
    for (const RunningApplication& application : scenario.applications) {
        p.system.addRunningApplication(application);
    }
    p.system.setFrontmostApplication(scenario.frontmostApplication);
    p.setup.configure(scenario.setupServices); // setup services

    for (const auto& [name, values] : scenario.preferenceDomains) {
        if (const auto error = p.preferences.loadDomainFromJson(name, values)) {
            // The scenario reader checks every domain first, so this is a fault of the host.
            std::fprintf(stderr, "Host: preference domain %s: %s\n", name.c_str(), error->c_str());
            std::abort();
        }
    }
    writeSpacesConfiguration(p.preferences, p.windowServer.spaceLists(), spaceTitlesOf(scenario));

    p.events.setAccessibilityTrust([&system = p.system] { return system.isProcessTrusted(); });
    // The user's hand on the mouse moves the cursor the displays report.
    p.events.physical().setPointerMovedHandler(
        [&displays = p.displays](Point location) { displays.setCursorLocation(location); });
    p.dock.setSymbolicHotKeySource(
        {[&table = p.symbolicHotKeys](int hotKey) { return table.value(hotKey); },
         [&table = p.symbolicHotKeys](int hotKey) { return table.isEnabled(hotKey); }});
    p.dock.setAnimationDuration(scenario.dockAnimationDuration);
    p.dock.setMissionControlOpener([&mc = p.missionControl] { mc.open(); });
    // A file address of an application opens that application, as the workspace does.
    p.system.addURLHandler([&applications = p.applications](const std::string& url) {
        const std::string scheme = "file://";
        const bool application = url.rfind(scheme, 0) == 0 && url.size() > scheme.size() + 4 &&
                                 url.compare(url.size() - 4, 4, ".app") == 0;
        return application && applications.openApplication(url.substr(scheme.size()));
    });
    // Mission Control draws its own pictures of the Spaces and leaves to one through the Dock.
    p.missionControl.setSpacePainter(
        [&capture = p.previews.capture](DisplayID display, SpaceID space, int width, int height) {
            return capture.drawSpace(display, space, width, height);
        });
    p.missionControl.setSpaceSwitcher([&dock = p.dock](const std::string& list, SpaceID space) {
        dock.switchToSpace(list, space);
    });

    // The system mirrors the Space layout into its preferences, and tells the program when its
    // own defaults or the screens change.
    p.spacesToken = p.windowServer.addSpacesObserver(
        [&p] { writeSpacesConfiguration(p.preferences, p.windowServer.spaceLists()); });
    p.displaysToken = p.displays.addConfigurationObserver(
        [&p] { p.notifications.post(WorkspaceNotificationName::screenParametersDidChange); });
    p.defaultsToken = p.ownDefaults->addObserver([&p](const std::string&) {
        p.notifications.post(WorkspaceNotificationName::userDefaultsDidChange);
    });

    // The Dock publishes Mission Control's Spaces bar.
    p.accessibility.addApplicationTreeProvider(
        [&mc = p.missionControl](int32_t pid) { return mc.applicationTree(pid); });
    // Window previews: applications answer their focused and main windows' titles.
    p.accessibility.addApplicationTreeProvider(
        [&titles = p.previews.windowTitles](int32_t pid) { return titles.applicationTree(pid); });

    fillCalls();
}

Host::~Host() {
    destroySharedInstances();
    Host* self = this;
    currentHost.compare_exchange_strong(self, nullptr);
    parts_->ownDefaults->removeObserver(parts_->defaultsToken);
    parts_->displays.removeConfigurationObserver(parts_->displaysToken);
    parts_->windowServer.removeSpacesObserver(parts_->spacesToken);
}

void Host::destroySharedInstances() {
    // Later instances may hold on to earlier ones (a store reading another), so they go first.
    while (!sharedInstances_.empty()) {
        std::shared_ptr<void> last = std::move(sharedInstances_.back().second);
        sharedInstances_.pop_back();
        last.reset();
    }
}

Host& Host::current() {
    Host* host = currentHost.load();
    if (host == nullptr) {
        std::fprintf(stderr, "Host::current() called with no host installed\n");
        std::abort();
    }
    return *host;
}

Host* Host::installed() {
    return currentHost.load();
}

void Host::install(Host* host) {
    currentHost.store(host);
}

DisplayServer& Host::displays() {
    return parts_->displays;
}
WindowServer& Host::windowServer() {
    return parts_->windowServer;
}
Dock& Host::dock() {
    return parts_->dock;
}
EventSystem& Host::events() {
    return parts_->events;
}
HotKeyCenter& Host::hotKeys() {
    return parts_->hotKeys;
}
UserDefaults& Host::defaults() {
    return *parts_->ownDefaults;
}
Preferences& Host::preferences() {
    return parts_->preferences;
}
SymbolicHotKeyTable& Host::symbolicHotKeys() {
    return parts_->symbolicHotKeys;
}
// Window capture.
WindowImageCapture& Host::windowImages() {
    return parts_->windowImages;
}
SystemServices& Host::system() {
    return parts_->system;
}
WorkspaceNotificationCenter& Host::notifications() {
    return parts_->notifications;
}
SystemCalls& Host::calls() {
    return calls_;
}
MainQueue& Host::queue() {
    return queue_;
}
Accessibility& Host::accessibility() {
    return parts_->accessibility;
}
MissionControl& Host::missionControl() {
    return parts_->missionControl;
}

MultitouchManager* Host::multitouch() {
    return parts_->multitouch.get();
}

Trackpad& Host::trackpad() {
    return parts_->trackpad;
}

// Setup services.
PrivacyDatabase& Host::privacy() {
    return parts_->privacy;
}
ProgramBundle& Host::programBundle() {
    return parts_->program;
}
ProgramActivation& Host::programActivation() {
    return parts_->setup.activation;
}
ProcessLauncher& Host::processes() {
    return parts_->setup.processes;
}
LoginItems& Host::loginItems() {
    return parts_->setup.loginItems;
}
SystemSettings& Host::systemSettings() {
    return parts_->setup.systemSettings;
}

// Applications opened by path
ApplicationOpener& Host::applications() {
    return parts_->applications;
}

// Status bar.
StatusBar& Host::statusBar() {
    return parts_->statusBar;
}

// Symbol images.
SystemSymbolImages& Host::symbols() {
    return parts_->symbols;
}

// Window previews.
ScreenCapture& Host::screenCapture() {
    return parts_->previews.capture;
}
ApplicationIcons& Host::applicationIcons() {
    return parts_->previews.icons;
}
DesktopPictures& Host::desktopPictures() {
    return parts_->previews.desktopPictures;
}
ApplicationWindowTitles& Host::applicationWindowTitles() {
    return parts_->previews.windowTitles;
}
WindowListDictionaries& Host::windowListDictionaries() {
    return parts_->previews.windowList;
}

void Host::restoreCalls() {
    fillCalls();
}

void Host::fillCalls() {
    Parts& p = *parts_;
    WindowServer& server = p.windowServer;
    // A call with a connection other than the server's own fails, as it would with a stale one.
    auto connected = [&server](int cid) { return cid != 0 && cid == server.connectionID(); };

    calls_.mainConnectionID = [&server] { return server.connectionID(); };
    calls_.activeSpace = [&server, connected](int cid) -> SpaceID {
        return connected(cid) ? server.activeSpace() : 0;
    };
    calls_.copyManagedDisplaySpaces =
        [&server, connected](int cid) -> std::optional<std::vector<ManagedDisplaySpaces>> {
        if (!connected(cid)) {
            return std::nullopt;
        }
        return server.managedDisplaySpaces();
    };
    calls_.copyActiveMenuBarDisplayIdentifier = [&server,
                                                 connected](int cid) -> std::optional<std::string> {
        if (!connected(cid)) {
            return std::nullopt;
        }
        return server.activeMenuBarDisplayIdentifier();
    };
    calls_.symbolicHotKeyValue = [&table = p.symbolicHotKeys](int hotKey) {
        return table.value(hotKey);
    };
    calls_.isSymbolicHotKeyEnabled = [&table = p.symbolicHotKeys](int hotKey) {
        return table.isEnabled(hotKey);
    };
    calls_.setSymbolicHotKeyEnabled = [&table = p.symbolicHotKeys](int hotKey, bool enabled) {
        return table.setEnabled(hotKey, enabled);
    };
    calls_.copySpacesForWindows =
        [&server,
         connected](int cid, int mask,
                    const std::vector<WindowID>& windows) -> std::optional<std::vector<SpaceID>> {
        if (!connected(cid)) {
            return std::nullopt;
        }
        return server.spacesForWindows(mask, windows);
    };
    calls_.copyWindowList = [&server](uint32_t options, WindowID relativeTo) {
        return server.windowList(options, relativeTo);
    };
    calls_.activeDisplayList = [&displays = p.displays] { return displays.activeDisplayList(); };
    calls_.displaysWithPoint = [&displays = p.displays](Point point) {
        return displays.displaysWithPoint(point);
    };
    calls_.displayBounds = [&displays = p.displays](DisplayID id) { return displays.bounds(id); };
    calls_.displayUUID = [&displays = p.displays](DisplayID id) { return displays.uuid(id); };
    calls_.cursorLocation = [&displays = p.displays] { return displays.cursorLocation(); };
    calls_.postEvent = [&events = p.events](const Event& event) { events.post(event); };
    calls_.isProcessTrusted = [&system = p.system] { return system.isProcessTrusted(); };
    calls_.preflightScreenCaptureAccess = [&system = p.system] {
        return system.preflightScreenCaptureAccess();
    };
}

ScopedCurrentHost::ScopedCurrentHost(Host& host) : previous_(Host::installed()) {
    Host::install(&host);
}

ScopedCurrentHost::~ScopedCurrentHost() {
    Host::install(previous_);
}

} // namespace tessarin
