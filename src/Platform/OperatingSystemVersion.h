#pragma once

#include <compare>
#include <string>

namespace tessarin {

struct OperatingSystemVersion {
    int majorVersion = 0;
    int minorVersion = 0;
    int patchVersion = 0;

    friend bool operator==(const OperatingSystemVersion&, const OperatingSystemVersion&) = default;
    friend auto operator<=>(const OperatingSystemVersion&, const OperatingSystemVersion&) = default;

    bool isAtLeast(const OperatingSystemVersion& other) const { return *this >= other; }
    // "14.2.1"
    std::string versionString() const;
};

} // namespace tessarin
