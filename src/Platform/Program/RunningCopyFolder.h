#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace tessarin {

// Where the running copy keeps its lock and socket: $XDG_RUNTIME_DIR when it is an absolute
// path to a folder, else a folder of the user's own in the temporary folder, since names there
// can be guessed and taken by anyone.
struct RunningCopyFolder {
    std::filesystem::path path;
    std::string doubt; // why the guard cannot work there; empty when it can

    RunningCopyFolder() = default;
    // A folder chosen by the caller (tests): only checked to be a writable folder.
    RunningCopyFolder(std::filesystem::path folder); // NOLINT: a path is a folder to check

    // The private folder is "<temporary>/tessarin-<uid>", made 0700 and then checked with
    // `lstat`: the user's, mode 0700, no link.
    static RunningCopyFolder find(const std::optional<std::string>& runtimeFolder,
                                  const std::filesystem::path& temporaryFolder, uid_t user);
    static RunningCopyFolder forProcess();

    // What the user's things for one settings file are named after there: the same for every
    // name of the file (through links or "..").
    static std::string nameFor(const std::filesystem::path& settingsFile);
};

} // namespace tessarin
