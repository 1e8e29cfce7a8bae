#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// What one pipe holds before its writer blocks.
inline constexpr std::size_t kProcessPipeCapacity = 64 * 1024;

// The outcome of waiting for a process.
struct ProcessWaitResult {
    std::optional<int32_t> exitStatus;
    // Why the wait failed: the process is blocked writing to a full pipe nobody reads, so a
    // real wait would never return.
    std::string error;
    explicit operator bool() const { return exitStatus.has_value(); }
};

// A started process with one pipe for its output and error. The process writes its whole
// output and exits, unless the output outgrows the pipe: then it blocks until the reader
// drains the pipe. Main-thread only.
class LaunchedProcess {
public:
    LaunchedProcess(std::string output, int32_t exitStatus)
        : output_(std::move(output)), exitStatus_(exitStatus) {}

    // Everything the process writes until it closes the pipe; reading lets a blocked writer go
    // on, so afterwards the process has exited.
    std::string readToEnd();
    ProcessWaitResult waitUntilExit() const;
    bool hasExited() const { return drained_ || output_.size() <= kProcessPipeCapacity; }

private:
    std::string output_;
    int32_t exitStatus_;
    bool drained_ = false;
};

} // namespace tessarin
