#include "Platform/OperatingSystemVersion.h"

namespace tessarin {

std::string OperatingSystemVersion::versionString() const {
    return std::to_string(majorVersion) + "." + std::to_string(minorVersion) + "." +
           std::to_string(patchVersion);
}

} // namespace tessarin
