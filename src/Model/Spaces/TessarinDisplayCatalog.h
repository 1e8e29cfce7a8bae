#pragma once

#include "Model/Spaces/TessarinDisplay.h"

#include <string>
#include <vector>

namespace tessarin {

// The connected displays of the current host.
class TessarinDisplayCatalog {
public:
    TessarinDisplayCatalog() = delete;

    // The name shown for a display that is not connected.
    static constexpr const char* fallbackName = "Unknown Display";

    // One display per screen that has an identifier, in the order the window system lists the
    // screens; empty when there is none.
    static std::vector<TessarinDisplay> connectedDisplays();
    // The display's localized name, or the fallback name for an unknown identifier.
    static std::string name(const std::string& displayIdentifier);
};

} // namespace tessarin
