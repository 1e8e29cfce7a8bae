#pragma once

#include "Model/Health/TessarinHealthCheckPresentationMode.h"
#include "Model/Health/TessarinHealthLaunchPresentation.h"

namespace tessarin {

// The health window, as the delegate opens it (setup when a permission is missing).
class HealthWindowPresenting {
public:
    virtual ~HealthWindowPresenting() = default;
    virtual void present(TessarinHealthCheckPresentationMode mode) = 0;
    // What start-up shows: the window runs its checks, asks its page whether the Space practice
    // is done and lets its launch policy decide (which records the decision).
    virtual TessarinHealthLaunchPresentation launchPresentation() = 0;
};

} // namespace tessarin
