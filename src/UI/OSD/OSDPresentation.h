#pragma once

#include "UI/OSD/OSDGridPresentation.h"

namespace tessarin {

// What the OSD window is asked to show. A grid is the only kind of presentation.
struct OSDPresentation {
    OSDGridPresentation grid;

    friend bool operator==(const OSDPresentation&, const OSDPresentation&) = default;
};

} // namespace tessarin
