#pragma once

class QFont;

namespace tessarin {

// Sizes of the program's text are in view points, the device-independent pixels its windows'
// geometry is measured in, not typographic points: an 11-point title is 11 pixels high whatever
// the screen's resolution. Qt lays text out at whole pixel sizes, so a half size takes the next
// whole one, as Qt's own rounding of sizes does.
void setViewPointSize(QFont& font, double size);

} // namespace tessarin
