#include "Platform/Process/LaunchedProcess.h"

namespace tessarin {

std::string LaunchedProcess::readToEnd() {
    if (drained_) {
        return {};
    }
    drained_ = true;
    return std::move(output_);
}

ProcessWaitResult LaunchedProcess::waitUntilExit() const {
    if (!hasExited()) {
        return {std::nullopt, "the process is blocked writing " + std::to_string(output_.size()) +
                                  " bytes to a pipe that holds " +
                                  std::to_string(kProcessPipeCapacity) + " and nobody reads"};
    }
    return {exitStatus_, {}};
}

} // namespace tessarin
