#pragma once

#include "Core/AppDelegate/LaunchOptions.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the program makes of its command line and environment before it builds anything:
// print its usage, quit at once (no display and no snapshot to write), or run, offscreen when
// there is no display; on which scenario; and where its settings are kept.
struct ProgramLaunch {
    enum class Action { printUsage, quitWithoutDisplay, run };

    Action action = Action::run;
    // No display: the toolkit runs offscreen, only to write the launch OSD's snapshot.
    bool offscreen = false;
    // The file of "--scenario <file>"; none: the built-in default scenario.
    std::optional<std::string> scenarioFile;
    // The defaults file in the user's configuration folder ($XDG_CONFIG_HOME when it is an
    // absolute path, else $HOME/.config); none when there is no home to keep it in.
    std::optional<std::filesystem::path> defaultsFile;
    // The X display the toolkit is going to open (DISPLAY, when its platform is X11), which the
    // program checks before it builds anything; none on Wayland, offscreen or another platform.
    std::optional<std::string> x11Display;

    friend bool operator==(const ProgramLaunch&, const ProgramLaunch&) = default;

    // `arguments` starts with the program's own path.
    static ProgramLaunch decide(const std::vector<std::string>& arguments,
                                const LaunchOptions::EnvironmentLookup& environment);

    // The options, one per line, for "--help".
    static std::string usage();
    static constexpr const char* quitWithoutDisplayMessage =
        "No display (DISPLAY and WAYLAND_DISPLAY are unset) and no snapshot path "
        "(--osd-snapshot-path): nothing to show, quitting.";

    // A start for a settings file that a running copy holds does not run beside it: it asks that
    // copy to come forward (it opens its preferences), says so in one line and ends.
    struct SecondStart {
        std::string line;
        int status = 0; // 1 when the running copy did not answer
        friend bool operator==(const SecondStart&, const SecondStart&) = default;
    };
    static SecondStart secondStart(const std::filesystem::path& defaultsFile, bool cameForward);

    // A run asked for a snapshot only shows, writes and quits: it never claims the settings file,
    // so a start made while it runs is not turned away, and beside a running copy it works on
    // the settings as the file holds them, which it never writes (the running copy owns them).
    // Any other start brings the running copy forward instead.
    enum class BesideRunningCopy { bringItForward, writeSnapshotReadOnly };
    static BesideRunningCopy besideRunningCopy(const std::vector<std::string>& arguments,
                                               const LaunchOptions::EnvironmentLookup& environment);
    // The log line of a snapshot run beside a running copy; `unreadable` is why the settings
    // file could not be read (then the run uses the defaults).
    static std::string besideRunningCopyLine(const std::filesystem::path& defaultsFile,
                                             const std::string& unreadable);
    // The line for an X display that no server answers at.
    static std::string unopenableDisplayMessage(const std::string& display);
};

} // namespace tessarin
