#pragma once

#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDGridModel.h"

#include <cstdint>
#include <optional>

namespace tessarin {

// A model shown with its active cell animated from one cell to another.
struct OSDGridDirectionalTransition {
    OSDGridModel model;
    int64_t fromIndex = 0;
    int64_t toIndex = 0;
    TessarinDirection direction = TessarinDirectionLeft;

    bool isWellFormed() const;

    // Keeps a running animation when the visible model is refreshed in place: only a model of the
    // same shape whose active cell is still the target qualifies.
    std::optional<OSDGridDirectionalTransition> replacingModel(const OSDGridModel& newModel) const;

    friend bool operator==(const OSDGridDirectionalTransition&,
                           const OSDGridDirectionalTransition&) = default;
};

} // namespace tessarin
