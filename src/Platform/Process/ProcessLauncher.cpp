#include "Platform/Process/ProcessLauncher.h"

namespace tessarin {

void ProcessLauncher::installTool(const std::string& executable, Tool tool) {
    tools_[executable] = std::move(tool);
}

void ProcessLauncher::scriptRun(const std::string& executable, ProcessRun run) {
    scripted_[executable].push_back(std::move(run));
}

void ProcessLauncher::scriptEveryRun(const std::string& executable, std::optional<ProcessRun> run) {
    if (run) {
        standing_[executable] = std::move(*run);
    } else {
        standing_.erase(executable);
    }
}

std::optional<ProcessRun> ProcessLauncher::nextScriptedRun(const std::string& executable) {
    if (auto queued = scripted_.find(executable);
        queued != scripted_.end() && !queued->second.empty()) {
        ProcessRun run = std::move(queued->second.front());
        queued->second.pop_front();
        return run;
    }
    if (const auto standing = standing_.find(executable); standing != standing_.end()) {
        return standing->second;
    }
    return std::nullopt;
}

ProcessLaunchResult ProcessLauncher::launch(const std::string& executable,
                                            std::vector<std::string> arguments) {
    launches_.push_back({executable, arguments});
    std::optional<ProcessRun> run = nextScriptedRun(executable);
    if (!run) {
        const auto tool = tools_.find(executable);
        if (tool == tools_.end()) {
            return {std::nullopt, "The file \u201c" + executable + "\u201d doesn\u2019t exist."};
        }
        run = tool->second(arguments);
    }
    if (run->launchError) {
        return {std::nullopt, *run->launchError};
    }
    return {LaunchedProcess(std::move(run->output), run->exitStatus), {}};
}

} // namespace tessarin
