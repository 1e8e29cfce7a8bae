#pragma once

#include <string>

namespace tessarin {

// A connected display: its identifier (the display's UUID string) and its localized name.
struct TessarinDisplay {
    std::string identifier;
    std::string name;

    friend bool operator==(const TessarinDisplay&, const TessarinDisplay&) = default;
};

} // namespace tessarin
