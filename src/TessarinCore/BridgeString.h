#pragma once

#include "TessarinCore/TessarinCore.h"

#include <optional>
#include <string>

namespace tessarin {

// Takes a string the bridge copied out and releases the bridge's copy; none for no string.
inline std::optional<std::string> adoptBridgeString(char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string result(text);
    tessarin_release_string(text);
    return result;
}

} // namespace tessarin
