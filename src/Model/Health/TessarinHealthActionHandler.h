#pragma once

#include "Model/Health/TessarinHealthActionHandling.h"

#include <functional>
#include <optional>
#include <string>

namespace tessarin {

class UserDefaults;

// The System Settings panes the health actions open.
namespace HealthSettingsAddress {
inline constexpr const char* accessibility =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";
inline constexpr const char* screenRecording =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture";
inline constexpr const char* desktopAndDock =
    "x-apple.systempreferences:com.apple.Desktop-Settings.extension";
} // namespace HealthSettingsAddress

// Every system query and effect the handler uses; each left out reads or acts on the current
// host.
struct TessarinHealthActionHandlerInputs {
    std::function<bool()> accessibilityTrusted;
    std::function<bool()> screenRecordingSupported;
    std::function<bool()> screenRecordingPreflight;
    // Registers the program to start at login; the service's message when it refuses.
    std::function<std::optional<std::string>()> registerLaunchAtLogin;
    std::function<void(const std::string& message)> launchAtLoginErrorHandler;
    std::function<void(const std::string& address)> openURL;
};

// Opens the System Settings pane of a health item, or registers the program to start at
// login. It never asks the system for a permission itself: the user grants it in System
// Settings. Main-thread only.
class TessarinHealthActionHandler : public TessarinHealthActionHandling {
public:
    explicit TessarinHealthActionHandler(UserDefaults& defaults,
                                         TessarinHealthActionHandlerInputs inputs = {});

    void performAction(TessarinHealthCheckIdentifier identifier) override;

    // Beeps and shows a warning alert with the service's message.
    static void showLaunchAtLoginError(const std::string& message);
    // Whether an address has the form of a URL (a scheme, then no white space).
    static bool formsURL(const std::string& address);

private:
    void open(const std::string& address);
    void performAccessibilityAction();
    void performScreenRecordingAction();
    void performLaunchAtLoginAction();

    UserDefaults& defaults_;
    TessarinHealthActionHandlerInputs inputs_;
};

} // namespace tessarin
