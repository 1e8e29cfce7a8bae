#include "Platform/Preferences/DefaultsFileLeftovers.h"

#include "Platform/Preferences/DefaultsTemporaryName.h"

#include <cerrno>
#include <csignal>
#include <system_error>
#include <unistd.h>

namespace tessarin {

bool defaultsWriterIsRunning(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

std::vector<std::filesystem::path>
removeDefaultsFileLeftovers(const std::filesystem::path& file,
                            const std::function<bool(pid_t)>& isRunning) {
    std::vector<std::filesystem::path> removed;
    const auto folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return removed;
    }
    const auto own = ::getpid();
    for (const auto& entry : entries) {
        const auto candidate = file.parent_path() / entry.path().filename();
        const auto writer = defaultsTemporaryWriter(file, candidate);
        // This process's own are writes of its other threads or stores, under way.
        if (!writer || *writer == own || isRunning(*writer)) {
            continue;
        }
        // Only a plain file: a link or folder of that name was not made by a write.
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) {
            continue;
        }
        if (::unlink(candidate.c_str()) == 0) {
            removed.push_back(candidate);
        }
    }
    return removed;
}

} // namespace tessarin
