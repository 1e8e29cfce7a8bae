#pragma once

#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"

#include <optional>

namespace tessarin {

// A shown grid's context carried over to a redrawn model: the active cell, titles and
// placeholders follow the model, everything else (callbacks, rules, footer) stays.
std::optional<OSDGridMouseInteractionContext>
interactionContextFollowingModel(const std::optional<OSDGridMouseInteractionContext>& context,
                                 const OSDGridModel& model);

} // namespace tessarin
