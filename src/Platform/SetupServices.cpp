#include "Platform/SetupServices.h"

#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/SetupServicesScenario.h"
#include "Platform/SystemServices.h"

namespace tessarin {

SetupServices::SetupServices(WindowServer& windows, SystemServices& system,
                             PrivacyDatabase& privacy, const ProgramBundle& program,
                             Preferences& preferences, SymbolicHotKeyTable& symbolicHotKeys)
    : systemSettings(SystemSettingsServices{windows, system, privacy, program, activation,
                                            preferences, symbolicHotKeys}),
      system_(system), privacy_(privacy) {}

void SetupServices::configure(const SetupServicesScenario& scenario) {
    for (const auto& [key, allowed] : scenario.privacyDecisions) {
        privacy_.setDecision(key.first, key.second, allowed);
    }
    loginItems.setMainAppStatus(scenario.loginItemStatus);
    loginItems.setRegistration(
        scenario.loginItemRegistration,
        scenario.loginItemFailureMessage.value_or(loginItems.failureMessage()));
    systemSettings.configure(scenario.systemSettings);
    system_.addURLHandler([this](const std::string& url) { return systemSettings.open(url); });
    processes.installTool(kPrivacyResetToolPath, [this](const std::vector<std::string>& arguments) {
        return runPrivacyResetTool(privacy_, arguments);
    });
    for (const auto& [executable, run] : scenario.toolRuns) {
        processes.scriptEveryRun(executable, run);
    }
}

} // namespace tessarin
