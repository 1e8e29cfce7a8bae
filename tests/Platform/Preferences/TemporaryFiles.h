#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessarin {

// The temporary files that writes of the defaults file left behind in `folder`.
inline std::vector<std::string> temporaryFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".tmp") {
            found.push_back(entry.path().filename().string());
        }
    }
    return found;
}

} // namespace tessarin
