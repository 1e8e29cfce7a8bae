#pragma once

#include "UI/OSD/OSDDismissalBehavior.h"
#include "UI/OSD/OSDDismissalCallbacks.h"

#include <optional>

namespace tessarin {

// A new dismissal behaviour for a shown grid, with the callbacks to use from now on.
struct OSDDismissalUpdate {
    OSDDismissalBehavior behavior = OSDDismissalBehavior::timer();
    std::optional<OSDDismissalCallbacks> callbacks{};
};

} // namespace tessarin
