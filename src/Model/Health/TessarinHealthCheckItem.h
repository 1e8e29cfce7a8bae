#pragma once

#include "Model/Health/TessarinHealthCheckIdentifier.h"
#include "Model/Health/TessarinHealthCheckStatus.h"

#include <optional>
#include <string>

namespace tessarin {

// One check's outcome as the health page shows it; an action title is present exactly when the
// item offers a button.
struct TessarinHealthCheckItem {
    TessarinHealthCheckIdentifier identifier = TessarinHealthCheckIdentifier::accessibility;
    std::string title;
    std::string detail;
    TessarinHealthCheckStatus status = TessarinHealthCheckStatus::passed;
    std::optional<std::string> actionTitle;

    bool needsAttention() const { return tessarin::needsAttention(status); }
    friend bool operator==(const TessarinHealthCheckItem&,
                           const TessarinHealthCheckItem&) = default;
};

} // namespace tessarin
