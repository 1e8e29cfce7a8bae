#pragma once

#include "Platform/LoginItems/LoginItems.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemSettings/SystemSettings.h"

namespace tessarin {

class Preferences;
class PrivacyDatabase;
class ProgramBundle;
class SymbolicHotKeyTable;
struct SetupServicesScenario;

// The host's services for setting the program up that sit on top of the window server and the
// system services: whether the program is active, the command-line tools, the login item and
// System Settings (the privacy database and the bundle come earlier, the system services read
// them).
struct SetupServices {
    SetupServices(WindowServer& windows, SystemServices& system, PrivacyDatabase& privacy,
                  const ProgramBundle& program, Preferences& preferences,
                  SymbolicHotKeyTable& symbolicHotKeys);

    // Takes the scenario's state, installs the privacy reset tool and lets System Settings
    // open its addresses.
    void configure(const SetupServicesScenario& scenario);

    ProgramActivation activation;
    ProcessLauncher processes;
    LoginItems loginItems;
    SystemSettings systemSettings;

private:
    SystemServices& system_;
    PrivacyDatabase& privacy_;
};

} // namespace tessarin
