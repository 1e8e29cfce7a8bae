#pragma once

#include "Platform/Process/LaunchedProcess.h"
#include "Platform/Process/ProcessRun.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One launch as the launcher saw it: the executable and its argument list (never a shell line).
struct ProcessLaunch {
    std::string executable;
    std::vector<std::string> arguments;
    friend bool operator==(const ProcessLaunch&, const ProcessLaunch&) = default;
};

struct ProcessLaunchResult {
    std::optional<LaunchedProcess> process;
    std::string error; // the system's message when the launch failed
    explicit operator bool() const { return process.has_value(); }
};

// Starts the system's command-line tools. A tool is a function of its arguments that acts on
// the simulated system and answers how its run went; a test can script the next runs of an
// executable instead (fail to launch, any status and output, output beyond the pipe). An
// executable with neither does not exist. Main-thread only.
class ProcessLauncher {
public:
    using Tool = std::function<ProcessRun(const std::vector<std::string>& arguments)>;

    void installTool(const std::string& executable, Tool tool);
    // Replaces the tool for the next run of the executable; runs queue in order.
    void scriptRun(const std::string& executable, ProcessRun run);
    // Replaces the tool for every run of the executable until cleared.
    void scriptEveryRun(const std::string& executable, std::optional<ProcessRun> run);

    ProcessLaunchResult launch(const std::string& executable, std::vector<std::string> arguments);
    const std::vector<ProcessLaunch>& launches() const { return launches_; }

private:
    std::optional<ProcessRun> nextScriptedRun(const std::string& executable);

    std::map<std::string, Tool> tools_;
    std::map<std::string, std::deque<ProcessRun>> scripted_;
    std::map<std::string, ProcessRun> standing_;
    std::vector<ProcessLaunch> launches_;
};

} // namespace tessarin
