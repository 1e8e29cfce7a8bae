#pragma once

namespace tessarin {

// The program's own preference domain and the subsystem of every log line.
inline constexpr const char* kBundleIdentifier = "com.tessarin.Tessarin";

} // namespace tessarin
