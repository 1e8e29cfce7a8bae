#include "TessarinCore/BridgeLog.h"

#include <cstdio>
#include <string>

namespace tessarin::bridge {

void reportFailure(std::string_view message) {
    // One write per line, so lines from other threads never interleave inside it.
    const std::string line = "TessarinCore: " + std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace tessarin::bridge
