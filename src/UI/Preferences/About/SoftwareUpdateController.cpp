#include "UI/Preferences/About/SoftwareUpdateController.h"

#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/Text.h"

namespace tessarin {

SoftwareUpdateController::SoftwareUpdateController(const PropertyDictionary&) {}

bool SoftwareUpdateController::hasConfiguredPublicEDKey(const PropertyDictionary& bundleInfo) {
    const auto found = bundleInfo.find(publicKeyInfoKey);
    if (found == bundleInfo.end() || !found->second.isString()) {
        return false;
    }
    const std::string key = trimmingWhitespaceAndNewlines(found->second.stringValue().value_or(""));
    return !key.empty() && key != publicKeyPlaceholder;
}

void SoftwareUpdateController::showMissingConfigurationAlert() {
    Host::current().system().runModalAlert(
        {"Software Updates Are Not Configured",
         "This build is missing Tessarin's Sparkle public update key.",
         {"OK"}});
}

void SoftwareUpdateController::checkForUpdates() {
    showMissingConfigurationAlert();
}

} // namespace tessarin
