#pragma once

#include "Support/Geometry.h"
#include "UI/OSD/OSDGridLayout.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"
#include "UI/OSD/OSDGridSpaceManagementAction.h"

#include <cstdint>
#include <optional>

namespace tessarin {

// Where the add and remove controls of a grid's cells are offered and what a point hits.
// A remove control sits in the top-right corner of a cell, an add control in the middle of a
// placeholder.
namespace OSDGridSpaceManagementControl {

int64_t realSpaceCount(const OSDGridLayout& layout);
bool hasRealSlotAfter(int64_t index, const OSDGridLayout& layout);
bool canAddAtPlaceholder(int64_t index, const OSDGridLayout& layout,
                         const OSDGridMouseInteractionContext& context);
// Never on the active Space or the last real Space; on a placeholder only when a real Space
// follows it.
bool canRemove(int64_t index, const OSDGridLayout& layout,
               const OSDGridMouseInteractionContext& context);
bool canShowControl(int64_t index, const OSDGridLayout& layout,
                    const OSDGridMouseInteractionContext& context);

Rect removeControlFrame(const Rect& cellFrame);
Rect addControlFrame(const Rect& cellFrame);

std::optional<OSDGridSpaceManagementAction> action(Point point, const OSDGridLayout& layout,
                                                   const OSDGridMouseInteractionContext& context);

} // namespace OSDGridSpaceManagementControl

} // namespace tessarin
