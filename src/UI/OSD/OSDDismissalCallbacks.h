#pragma once

#include <functional>

namespace tessarin {

// What a showing reports as it ends: `onDismissalStarted`, then `onHidden`, each at most once.
// An empty callback is absent.
struct OSDDismissalCallbacks {
    std::function<void()> onDismissalStarted{};
    std::function<void()> onHidden{};
    // The window removes its visuals at once when dismissal starts, then runs both callbacks.
    bool hidesImmediatelyBeforeDismissalStarted = false;
};

} // namespace tessarin
