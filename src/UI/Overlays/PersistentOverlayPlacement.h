#pragma once

#include "Model/Settings/OSDPlacement.h"
#include "Platform/Screen.h"
#include "Support/Geometry.h"

#include <string>

namespace tessarin {

// Where the always-visible overlays sit on a screen, and how they name its display.
namespace PersistentOverlayPlacement {

// Distance from the chosen edges of the visible frame.
inline constexpr double inset = 24;

// The bottom-left corner (y up) of a window of `size` placed in the visible frame.
Point origin(OSDPlacement placement, const Rect& visibleFrame, Size size);

// The display's UUID, or its number in decimal when it has none.
std::string displayIdentifier(const Screen& screen);

} // namespace PersistentOverlayPlacement

} // namespace tessarin
