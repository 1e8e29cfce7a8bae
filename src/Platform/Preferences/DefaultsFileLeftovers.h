#pragma once

#include <filesystem>
#include <functional>
#include <sys/types.h>
#include <vector>

namespace tessarin {

// Whether a process of this pid is still running (one of another user counts as running).
bool defaultsWriterIsRunning(pid_t pid);

// Removes the temporary files that writes of `file` left behind when their process ended in the
// middle (a crash, a kill): only names of the file's own temporary pattern, and only of a
// process that is no longer running, so a write still under way elsewhere keeps its file.
// Answers the names removed.
std::vector<std::filesystem::path>
removeDefaultsFileLeftovers(const std::filesystem::path& file,
                            const std::function<bool(pid_t)>& isRunning = defaultsWriterIsRunning);

} // namespace tessarin
