#include "Platform/Preferences/DefaultsFileTarget.h"

#include <cerrno>
#include <system_error>

namespace tessarin {

DefaultsFileTarget resolveDefaultsFileTarget(const std::filesystem::path& file, int maximumLinks) {
    std::filesystem::path current = file;
    for (int followed = 0; followed <= maximumLinks; ++followed) {
        std::error_code error;
        const auto status = std::filesystem::symlink_status(current, error);
        if (error || status.type() != std::filesystem::file_type::symlink) {
            // Not there (yet) or not a link: the write makes or replaces this file, and any
            // fault of the folders above it is found when they are made.
            return {current, {}};
        }
        auto next = std::filesystem::read_symlink(current, error);
        if (error) {
            return {{}, current.string() + ": the link cannot be read: " + error.message()};
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return {{},
            file.string() + ": a loop of symbolic links (more than " +
                std::to_string(maximumLinks) + ")"};
}

namespace {

// The nearest folder above `folder` (or itself) that is there but is no folder.
std::optional<std::filesystem::path> fileInPlaceOfFolder(const std::filesystem::path& folder) {
    for (auto path = folder; !path.empty(); path = path.parent_path()) {
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        if (!error && status.type() != std::filesystem::file_type::directory) {
            return path;
        }
        if (path == path.parent_path()) {
            break;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> makeDefaultsFolder(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) {
        return std::nullopt;
    }
    const std::string start = "the folder " + folder.string() + " cannot be made: ";
    if (error.value() == ELOOP) {
        return start + "a loop of symbolic links";
    }
    if (error.value() == ENOTDIR || error.value() == EEXIST) {
        if (auto file = fileInPlaceOfFolder(folder)) {
            return start + file->string() + " is a file, not a folder";
        }
    }
    return start + error.message();
}

} // namespace tessarin
