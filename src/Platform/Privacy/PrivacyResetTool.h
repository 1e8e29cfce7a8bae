#pragma once

#include "Platform/Process/ProcessRun.h"

#include <string>
#include <vector>

namespace tessarin {

class PrivacyDatabase;

inline constexpr const char* kPrivacyResetToolPath = "/usr/bin/tccutil";

// The system's privacy reset tool: "reset <service> <bundle identifier>" forgets that bundle's
// decision and exits 0; a wrong service or argument list exits non-zero with a message.
ProcessRun runPrivacyResetTool(PrivacyDatabase& database,
                               const std::vector<std::string>& arguments);

} // namespace tessarin
