#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/SystemCalls.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <utility>
#include <vector>

namespace tessarin {

class Accessibility;
// Setup services.
class LoginItems;
class PrivacyDatabase;
class ProcessLauncher;
class ProgramActivation;
class ProgramBundle;
class SystemSettings;
// Applications opened by path
class ApplicationOpener;
// Window previews.
class ApplicationIcons;
class ApplicationWindowTitles;
class DesktopPictures;
class ScreenCapture;
class WindowListDictionaries;
class DisplayServer;
class Dock;
class EventSystem;
class HotKeyCenter;
class MainQueue;
class MissionControl;
class MultitouchManager;
class Preferences;
class SymbolicHotKeyTable;
class StatusBar;
class SystemServices;
class SystemSymbolImages;
class Trackpad;
class UserDefaults;
class WindowServer;
// Window capture.
class WindowImageCapture;
class WorkspaceNotificationCenter;
struct Scenario;

struct HostOptions {
    // Where the program's own defaults are kept; none keeps them in memory (tests).
    std::optional<std::filesystem::path> defaultsFile;
    // Kept in memory from these values instead, and never written: a run beside a copy that
    // owns the file starts from what the file holds.
    std::optional<PropertyDictionary> readOnlyDefaults = std::nullopt;
};

// The simulated world for one run or one test, built from a scenario. Everything runs on the
// given main queue. The product reaches the global services through `Host::current()`.
class Host {
public:
    Host(const Scenario& scenario, MainQueue& queue, HostOptions options = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The host made current for this run or test; aborts when there is none, because a call
    // that silently reached no world would hide the fault.
    static Host& current();
    static Host* installed();
    static void install(Host* host);

    DisplayServer& displays();
    WindowServer& windowServer();
    Dock& dock();
    EventSystem& events();
    HotKeyCenter& hotKeys();
    UserDefaults& defaults(); // the program's own domain
    Preferences& preferences();
    SymbolicHotKeyTable& symbolicHotKeys();
    SystemServices& system();
    WorkspaceNotificationCenter& notifications();
    SystemCalls& calls();
    MainQueue& queue();
    Accessibility& accessibility();
    MissionControl& missionControl();
    // The multitouch framework's manager; none when the scenario leaves the framework out.
    MultitouchManager* multitouch();
    Trackpad& trackpad();
    // Window capture.
    WindowImageCapture& windowImages();
    // Applications opened by path
    ApplicationOpener& applications();
    // Symbol images: the system's named button pictures.
    SystemSymbolImages& symbols();

    // Setup services: the privacy database, the program's bundle and whether it is active, the
    // command-line tools, the login item service and System Settings.
    PrivacyDatabase& privacy();
    ProgramBundle& programBundle();
    ProgramActivation& programActivation();
    ProcessLauncher& processes();
    LoginItems& loginItems();
    SystemSettings& systemSettings();

    // Status bar: the status items in the menu bar.
    StatusBar& statusBar();
    // Window previews: screen capture, application icons, desktop pictures, the titles of
    // applications' windows and the window list as dictionaries.
    ScreenCapture& screenCapture();
    ApplicationIcons& applicationIcons();
    DesktopPictures& desktopPictures();
    ApplicationWindowTitles& applicationWindowTitles();
    WindowListDictionaries& windowListDictionaries();

    // Puts back every call a test withdrew.
    void restoreCalls();

    // The app's one instance of `T` for this host (the `shared` stores and controllers), made
    // by `make` on first use. It lives as long as the host and is destroyed before the host's
    // parts, so it never outlives the defaults or events it holds on to, and a test's shared
    // instance never leaks into the next test.
    template <typename T, typename Make> T& sharedInstance(Make&& make) {
        const std::type_index key(typeid(T));
        for (auto& entry : sharedInstances_) {
            if (entry.first == key) {
                return *static_cast<T*>(entry.second.get());
            }
        }
        std::shared_ptr<T> instance = std::forward<Make>(make)(*this);
        T& result = *instance;
        sharedInstances_.emplace_back(key, std::move(instance));
        return result;
    }

private:
    void fillCalls();
    void destroySharedInstances();

    struct Parts;
    MainQueue& queue_;
    std::unique_ptr<Parts> parts_;
    SystemCalls calls_;
    std::vector<std::pair<std::type_index, std::shared_ptr<void>>> sharedInstances_;
};

// Makes a host current for a scope (one test, or `main`) and restores the previous one.
class ScopedCurrentHost {
public:
    explicit ScopedCurrentHost(Host& host);
    ~ScopedCurrentHost();
    ScopedCurrentHost(const ScopedCurrentHost&) = delete;
    ScopedCurrentHost& operator=(const ScopedCurrentHost&) = delete;

private:
    Host* previous_;
};

} // namespace tessarin
