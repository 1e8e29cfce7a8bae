#pragma once

#include <string_view>

namespace tessarin::bridge {

// Writes one failure line to standard error, prefixed "TessarinCore: ".
void reportFailure(std::string_view message);

} // namespace tessarin::bridge
