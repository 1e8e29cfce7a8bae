#pragma once

namespace tessarin {

enum class TessarinHealthCheckStatus {
    passed,
    actionRequired,
    recommended,
    notAvailable,
    notApplicable
};

// Whether the user should look at an item: something is missing that they can fix.
constexpr bool needsAttention(TessarinHealthCheckStatus status) {
    return status == TessarinHealthCheckStatus::actionRequired ||
           status == TessarinHealthCheckStatus::recommended;
}

} // namespace tessarin
