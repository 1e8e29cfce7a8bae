#pragma once

namespace tessarin::ProgramBuildInfo {

// Taken from the source tree when the build was configured; "unknown" where it could not be.
const char* version();
const char* buildNumber();
const char* commit();
// The build's own copy of the package resource bundle.
const char* resourceBundlePath();

} // namespace tessarin::ProgramBuildInfo
