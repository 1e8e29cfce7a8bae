#pragma once

#include <QColor>
#include <QImage>
#include <optional>

namespace tessarin {

// The symbols on the footer buttons: template pictures of the resource bundle, drawn for this
// program, that count only by their alpha and take the chrome's label colour.
namespace OSDChromeSymbol {

constexpr const char* missionControl = "FooterMissionControlSymbol";
constexpr const char* addDesktop = "FooterAddDesktopSymbol";

// The named symbol filled with `tint`; none when the bundle lacks it.
std::optional<QImage> tinted(const char* name, const QColor& tint);

} // namespace OSDChromeSymbol

} // namespace tessarin
