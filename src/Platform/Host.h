#pragma once

#include "Platform/SystemCalls.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace tessarin {

class DisplayServer;
class Dock;
class EventSystem;
class HotKeyCenter;
class MainQueue;
class Preferences;
class SymbolicHotKeyTable;
class SystemServices;
class UserDefaults;
class WindowServer;
class WorkspaceNotificationCenter;
struct Scenario;

struct HostOptions {
    // Where the program's own defaults are kept; none keeps them in memory (tests).
    std::optional<std::filesystem::path> defaultsFile;
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

    // Puts back every call a test withdrew.
    void restoreCalls();

private:
    void fillCalls();

    struct Parts;
    MainQueue& queue_;
    std::unique_ptr<Parts> parts_;
    SystemCalls calls_;
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
