#pragma once

#include <QImage>
#include <string>
#include <vector>

class QWidget;

// The parts of controls a person reads at a glance, checked in a picture of their window: a
// push button's title keeps clear of its edges, a default button stands apart from the other
// buttons, a scroll bar's thumb stands out from its track, and a slider's unfilled track and
// tick marks show, enabled or not.
namespace tessarin::visual {

std::vector<std::string> controlPartFaults(QWidget& window, const QImage& picture);

// Room a push button leaves between its title and each side edge.
inline constexpr int buttonTitleRoom = 10;
// How far apart in colour (the distance of their RGB values) a default button's bezel lies
// from the other buttons'.
inline constexpr double defaultButtonColourDistance = 96;
// A scroll bar's thumb against its track, as a control against its card.
inline constexpr double thumbContrast = 3.0;
// A slider's unfilled track and its tick marks against the card, enabled and disabled.
inline constexpr double sliderPartContrast = 3.0;
inline constexpr double disabledSliderPartContrast = 1.5;

} // namespace tessarin::visual
