#pragma once

#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDPresentation.h"

#include <cstdint>
#include <optional>

namespace tessarin {

// How a grid model is shown: moving from the source cell to the active one when there is a
// source other than the active cell and a known direction, else statically. Nothing without a
// model.
std::optional<OSDPresentation> osdPresentation(const std::optional<OSDGridModel>& model,
                                               std::optional<uint32_t> sourceIndex,
                                               std::optional<TessarinDirection> direction);

} // namespace tessarin
