#pragma once

#include <QColor>
#include <QImage>
#include <optional>

namespace tessarin {

// The symbols of the OSD's chrome: the host's template symbol images, which count only by their
// alpha and take the colour they are drawn in.
namespace OSDChromeSymbol {

constexpr const char* missionControl = "rectangle.on.rectangle";
constexpr const char* addDesktop = "plus.rectangle.on.rectangle";
constexpr const char* obscured = "eye.slash.fill";

// The host's symbol of that name filled with `tint`; none when the host lacks it.
std::optional<QImage> tinted(const char* name, const QColor& tint);

} // namespace OSDChromeSymbol

} // namespace tessarin
