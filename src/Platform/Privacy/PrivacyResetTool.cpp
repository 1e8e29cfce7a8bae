#include "Platform/Privacy/PrivacyResetTool.h"

#include "Platform/Privacy/PrivacyDatabase.h"

namespace tessarin {

ProcessRun runPrivacyResetTool(PrivacyDatabase& database,
                               const std::vector<std::string>& arguments) {
    if (arguments.size() != 3 || arguments[0] != "reset") {
        return {std::nullopt, 64, "Usage: tccutil reset SERVICE [BUNDLE_ID]\n"};
    }
    const std::string& service = arguments[1];
    const std::string& bundleIdentifier = arguments[2];
    if (!database.reset(service, bundleIdentifier)) {
        return {std::nullopt, 70, "tccutil: No such service " + service + "\n"};
    }
    return {std::nullopt, 0,
            "Successfully reset " + service + " approval status for " + bundleIdentifier + "\n"};
}

} // namespace tessarin
