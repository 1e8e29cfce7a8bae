#pragma once

#include "Model/Health/TessarinHealthCheckIdentifier.h"

namespace tessarin {

// Carries out the action a health item offers.
class TessarinHealthActionHandling {
public:
    virtual ~TessarinHealthActionHandling() = default;
    virtual void performAction(TessarinHealthCheckIdentifier identifier) = 0;
};

} // namespace tessarin
