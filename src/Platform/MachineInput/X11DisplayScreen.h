#pragma once

#include <optional>
#include <string_view>

namespace tessarin {

// The screen a display name (":0", "host:1.2", "unix:0.1") asks for: 0 when it names none, and
// nothing when its screen part is anything but a number the X library reads as it is written
// (only digits, within an int), since that library would wrap or sign it and the toolkit would
// use a screen no server has.
std::optional<int> x11DisplayScreen(std::string_view displayName);

} // namespace tessarin
