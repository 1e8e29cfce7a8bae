#pragma once

#include "Model/Settings/OSDGridSize.h"
#include "Support/Geometry.h"
#include "UI/OSD/OSDGridModel.h"

#include <optional>

namespace tessarin {

// Where header, grid and footer sit in a grid window, in window coordinates with y up.
struct OSDGridWindowLayout {
    Rect headerFrame;
    Rect gridFrame;
    std::optional<Rect> footerFrame;
};

// The grid body and window sizes per grid size setting; pure functions.
namespace OSDGridWindowMetrics {

Size nominalBodySize(OSDGridSize size);
// The chrome scale of a body this wide: 1, 2 and 3 for the three sizes.
double chromeScale(double bodyWidth);
Size gridBodySize(const OSDGridModel& model, OSDGridSize size, double renderingInset);
Size windowSize(const OSDGridModel& model, OSDGridSize size, bool showsFooter,
                double renderingInset);
// The split used when there is no model to line the chrome up with.
OSDGridWindowLayout layout(const Rect& bounds, bool showsFooter);
// Header, grid and footer lined up with the cells of `model` laid out in its body.
OSDGridWindowLayout layout(const OSDGridModel& model, OSDGridSize size, Size windowSize,
                           bool showsFooter, double renderingInset);

} // namespace OSDGridWindowMetrics

} // namespace tessarin
