#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

class PrivacyDatabase;
class ProgramActivation;
class ProgramBundle;
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

// The System Settings application. An "x-apple.systempreferences:" address brings up its one
// window (layer 0) on that pane and makes it the frontmost application, so the program resigns
// active. A test moves and closes the window, and drops bundles on a Privacy pane's list, which
// grants the dropped bundle that pane's permission. Main-thread only.
class SystemSettings {
public:
    SystemSettings(WindowServer& windows, SystemServices& system, PrivacyDatabase& privacy,
                   const ProgramBundle& program, ProgramActivation& activation);

    void configure(const SystemSettingsConfiguration& configuration) {
        configuration_ = configuration;
    }

    // False, and nothing happens, for an address of another scheme.
    bool open(const std::string& address);
    // The pane shown (the address without its scheme); none while the window is closed.
    std::optional<std::string> pane() const;
    std::optional<WindowID> window() const;

    bool moveWindow(const Rect& bounds);
    bool closeWindow();
    // True when a Privacy pane took the bundle and granted its permission.
    bool dropBundle(const std::string& bundlePath);

    // The privacy service a pane lists ("Accessibility", "ScreenCapture"), if any.
    static std::optional<std::string> privacyServiceOfPane(const std::string& pane);
    static std::string windowTitleOfPane(const std::string& pane);

private:
    bool isWindowOpen() const;
    void ensureRunning();
    std::optional<std::string> bundleIdentifierAt(const std::string& bundlePath) const;

    WindowServer& windows_;
    SystemServices& system_;
    PrivacyDatabase& privacy_;
    const ProgramBundle& program_;
    ProgramActivation& activation_;
    SystemSettingsConfiguration configuration_;
    std::optional<WindowID> window_;
    std::string pane_;
};

} // namespace tessarin
