#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// Where a write of a defaults file goes. A file kept as a symbolic link (dotfile managers keep
// them so) is written at the end of its chain of links, so the link stays and its target gets
// the change; a dangling link names the file to make.
struct DefaultsFileTarget {
    std::filesystem::path path; // the file to replace, when `error` is empty
    std::string error;          // why there is none, e.g. a loop of links
};

// Follows at most `maximumLinks` links; a longer chain is taken for a loop.
DefaultsFileTarget resolveDefaultsFileTarget(const std::filesystem::path& file,
                                             int maximumLinks = 40);

// Makes `folder` and the folders above it; why not when it cannot be ("<path> is a file, not a
// folder", "<path>: a loop of symbolic links", the system's reason).
std::optional<std::string> makeDefaultsFolder(const std::filesystem::path& folder);

} // namespace tessarin
