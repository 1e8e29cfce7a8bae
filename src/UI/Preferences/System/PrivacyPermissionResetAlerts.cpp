#include "UI/Preferences/System/PrivacyPermissionResetAlerts.h"

#include "Platform/Host.h"
#include "Platform/SystemServices.h"

namespace tessarin::PrivacyPermissionResetAlerts {

bool confirm() {
    const SystemAlert alert{
        "Reset Tessarin Permissions?",
        "This removes the Accessibility and Screen Recording decisions for Tessarin. You will "
        "need to enable them again for full functionality.",
        {"Reset Permissions", "Cancel"},
        AlertStyle::warning};
    return Host::current().system().runModalAlert(alert) == AlertResponse::firstButton;
}

void showResult(const PrivacyPermissionResetResult& result) {
    SystemAlert alert{"Permissions Reset",
                      "Accessibility and Screen Recording decisions were reset. macOS may "
                      "require Tessarin to restart before Screen Recording changes take effect.",
                      {"OK"},
                      AlertStyle::informational};
    if (result) {
        alert = SystemAlert{
            "Failed to Reset Permissions", result->errorDescription(), {"OK"}, AlertStyle::warning};
    }
    Host::current().system().runModalAlert(alert);
}

} // namespace tessarin::PrivacyPermissionResetAlerts
