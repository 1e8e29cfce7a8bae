#include "Model/Health/TessarinHealthActionHandler.h"

#include "Model/Health/TessarinHealthStatusProvider.h"
#include "Model/Health/TessarinPrivacyPermissionPromptHistory.h"
#include "Platform/Host.h"
#include "Platform/LoginItems/LoginItems.h"
#include "Platform/SystemServices.h"

#include <algorithm>
#include <cctype>

namespace tessarin {

namespace {

namespace History = TessarinPrivacyPermissionPromptHistory;

template <typename F> void setDefault(std::function<F>& input, std::function<F> fallback) {
    if (!input) {
        input = std::move(fallback);
    }
}

} // namespace

TessarinHealthActionHandler::TessarinHealthActionHandler(UserDefaults& defaults,
                                                         TessarinHealthActionHandlerInputs inputs)
    : defaults_(defaults), inputs_(std::move(inputs)) {
    setDefault<bool()>(inputs_.accessibilityTrusted,
                       TessarinHealthStatusProvider::defaultAccessibilityTrusted);
    setDefault<bool()>(inputs_.screenRecordingSupported,
                       TessarinHealthStatusProvider::defaultScreenRecordingSupported);
    setDefault<bool()>(inputs_.screenRecordingPreflight,
                       TessarinHealthStatusProvider::defaultScreenRecordingGranted);
    setDefault<std::optional<std::string>()>(inputs_.registerLaunchAtLogin, [] {
        return Host::current().loginItems().registerMainApp();
    });
    setDefault<void(const std::string&)>(inputs_.launchAtLoginErrorHandler, showLaunchAtLoginError);
    setDefault<void(const std::string&)>(inputs_.openURL, [](const std::string& address) {
        Host::current().system().openURL(address);
    });
}

void TessarinHealthActionHandler::showLaunchAtLoginError(const std::string& message) {
    SystemServices& system = Host::current().system();
    system.beep();
    system.runModalAlert({"Failed to enable launch at login", message, {"OK"}});
}

bool TessarinHealthActionHandler::formsURL(const std::string& address) {
    const auto colon = address.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(address[0])) {
        return false;
    }
    const auto schemeCharacter = [](unsigned char c) {
        return std::isalnum(c) || c == '+' || c == '-' || c == '.';
    };
    return std::all_of(address.begin(), address.begin() + static_cast<long>(colon),
                       schemeCharacter) &&
           std::none_of(address.begin(), address.end(),
                        [](unsigned char c) { return std::isspace(c) || c < 0x20; });
}

void TessarinHealthActionHandler::open(const std::string& address) {
    if (formsURL(address)) {
        inputs_.openURL(address);
    }
}

void TessarinHealthActionHandler::performAction(TessarinHealthCheckIdentifier identifier) {
    switch (identifier) {
    case TessarinHealthCheckIdentifier::accessibility:
        performAccessibilityAction();
        return;
    case TessarinHealthCheckIdentifier::screenRecording:
        performScreenRecordingAction();
        return;
    case TessarinHealthCheckIdentifier::separateSpaces:
    case TessarinHealthCheckIdentifier::spaceAutoRearrange:
        open(HealthSettingsAddress::desktopAndDock);
        return;
    case TessarinHealthCheckIdentifier::launchAtLogin:
        performLaunchAtLoginAction();
        return;
    }
}

void TessarinHealthActionHandler::performAccessibilityAction() {
    if (inputs_.accessibilityTrusted()) {
        History::markTrue(defaults_, History::accessibilityAccessObservedKey);
        return;
    }
    History::markTrue(defaults_, History::accessibilityPromptRequestedKey);
    open(HealthSettingsAddress::accessibility);
}

void TessarinHealthActionHandler::performScreenRecordingAction() {
    if (!inputs_.screenRecordingSupported()) {
        return;
    }
    if (inputs_.screenRecordingPreflight()) {
        History::markTrue(defaults_, History::screenRecordingAccessObservedKey);
        return;
    }
    History::markTrue(defaults_, History::screenRecordingPromptRequestedKey);
    open(HealthSettingsAddress::screenRecording);
}

void TessarinHealthActionHandler::performLaunchAtLoginAction() {
    if (const auto error = inputs_.registerLaunchAtLogin()) {
        inputs_.launchAtLoginErrorHandler(*error);
    }
}

} // namespace tessarin
