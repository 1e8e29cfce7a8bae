#pragma once

#include "Platform/LoginItems/LoginItems.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Process/ProcessRun.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SystemSettings/SystemSettings.h"
#include "Support/Json.h"

#include <map>
#include <string>

namespace tessarin {

// The part of a scenario that setting the program up touches: privacy decisions, the program's
// bundle, its login item, System Settings and the command-line tools.
struct SetupServicesScenario {
    // Decisions beyond the program's own (which "permissions" gives), by service and bundle.
    std::map<PrivacyDatabase::Key, bool> privacyDecisions;
    ProgramBundleInfo program;
    LoginItemStatus loginItemStatus = LoginItemStatus::notRegistered;
    LoginItemRegistration loginItemRegistration = LoginItemRegistration::enables;
    std::optional<std::string> loginItemFailureMessage; // none: the service's usual text
    SystemSettingsConfiguration systemSettings;
    // Every run of these executables goes this way instead of the tool.
    std::map<std::string, ProcessRun> toolRuns;
    friend bool operator==(const SetupServicesScenario&, const SetupServicesScenario&) = default;
};

// The JSON form, members of the scenario's root object:
//   "privacy": {"Accessibility" | "ScreenCapture": {"<bundle identifier>": true | false}}
//   "program": {"bundleIdentifier" (a string, may be empty; null: the bundle has none),
//               "bundlePath", "executablePath", "installedInApplications": bool,
//               "info", "resources" (see readProgramBundleContents)}
//   "loginItem": {"status": "enabled" | "notRegistered" | "requiresApproval" | "notFound",
//                 "register": "enables" | "asksApproval" | "fails", "failureMessage": text}
//   "systemSettings": {"pid", "frame": [x, y, width, height] (y down)}
//   "tools": {"<executable path>": {"launchError": text} | {"exitStatus", "output": text}}
// Reads those members; answers the first problem as "member: problem", or nothing.
std::optional<std::string> readSetupServicesScenario(const Json& root,
                                                     SetupServicesScenario& scenario);
void writeSetupServicesScenario(const SetupServicesScenario& scenario, Json& root);

std::string rawValue(LoginItemStatus status);
std::string rawValue(LoginItemRegistration registration);

} // namespace tessarin
