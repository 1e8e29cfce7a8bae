#include "Core/AppDelegate/ProgramLaunch.h"

#include "Support/BundleIdentifier.h"
#include "Support/Text.h"

#include <algorithm>

namespace tessarin {

namespace {

std::optional<std::string> nonEmptyValue(const LaunchOptions::EnvironmentLookup& environment,
                                         const char* name) {
    auto value = environment(name);
    return value && !value->empty() ? std::move(value) : std::nullopt;
}

// An X server or a Wayland compositor to show windows on.
bool hasDisplay(const LaunchOptions::EnvironmentLookup& environment) {
    return nonEmptyValue(environment, "DISPLAY") || nonEmptyValue(environment, "WAYLAND_DISPLAY");
}

// The toolkit's X11 platform: named first in QT_QPA_PLATFORM ("xcb", "xcb:option"), or its
// default when nothing is named and no Wayland compositor is there to prefer.
bool usesX11(const LaunchOptions::EnvironmentLookup& environment) {
    if (const auto platform = nonEmptyValue(environment, "QT_QPA_PLATFORM")) {
        return platform->rfind("xcb", 0) == 0;
    }
    return !nonEmptyValue(environment, "WAYLAND_DISPLAY");
}

// A relative configuration folder is not one: the base directory rules ignore it.
std::optional<std::filesystem::path>
configuredDefaultsFile(const LaunchOptions::EnvironmentLookup& environment) {
    std::filesystem::path folder;
    const auto configuration = nonEmptyValue(environment, "XDG_CONFIG_HOME");
    if (configuration && std::filesystem::path(*configuration).is_absolute()) {
        folder = *configuration;
    } else if (const auto home = nonEmptyValue(environment, "HOME")) {
        folder = std::filesystem::path(*home) / ".config";
    } else {
        return std::nullopt;
    }
    return folder / "Tessarin" / (std::string(kBundleIdentifier) + ".json");
}

bool asksForUsage(const std::vector<std::string>& arguments) {
    return std::any_of(
        arguments.begin() + std::min<std::size_t>(1, arguments.size()), arguments.end(),
        [](const std::string& element) { return element == "--help" || element == "-h"; });
}

} // namespace

ProgramLaunch ProgramLaunch::decide(const std::vector<std::string>& arguments,
                                    const LaunchOptions::EnvironmentLookup& environment) {
    ProgramLaunch launch;
    if (asksForUsage(arguments)) {
        launch.action = Action::printUsage;
        return launch;
    }
    launch.offscreen = !hasDisplay(environment);
    if (launch.offscreen && !LaunchOptions::parse(arguments, environment).osdSnapshotPath) {
        launch.action = Action::quitWithoutDisplay;
        return launch;
    }
    if (usesX11(environment)) {
        launch.x11Display = nonEmptyValue(environment, "DISPLAY");
    }
    launch.scenarioFile = LaunchOptions::argumentValue("--scenario", arguments);
    launch.defaultsFile = configuredDefaultsFile(environment);
    return launch;
}

ProgramLaunch::BesideRunningCopy
ProgramLaunch::besideRunningCopy(const std::vector<std::string>& arguments,
                                 const LaunchOptions::EnvironmentLookup& environment) {
    if (LaunchOptions::parse(arguments, environment).osdSnapshotPath) {
        return BesideRunningCopy::writeSnapshotReadOnly;
    }
    return BesideRunningCopy::bringItForward;
}

std::string ProgramLaunch::besideRunningCopyLine(const std::filesystem::path& defaultsFile,
                                                 const std::string& unreadable) {
    std::string line =
        "launch.besideRunningCopy settingsFile=" + escapingUnprintable(defaultsFile.string()) +
        " settings=read-only";
    if (!unreadable.empty()) {
        line += " unreadable=" + escapingUnprintable(unreadable);
    }
    return line;
}

std::string ProgramLaunch::unopenableDisplayMessage(const std::string& display) {
    return "Cannot open the X display \"" + escapingUnprintable(display) +
           "\" (DISPLAY): start an X server there, or unset DISPLAY to run offscreen.";
}

std::string ProgramLaunch::usage() {
    return "Usage: tessarin [option ...]\n"
           "  --scenario <file.json>          run on the simulated host the file describes\n"
           "  --show-osd-on-launch            show the Space picker shortly after start-up\n"
           "  --show-osd-on-launch-delay <s>  seconds until it shows (default 0.8, at most 10)\n"
           "  --osd-preview-fixture           show the built-in sample grid instead\n"
           "  --osd-snapshot-path <file.png>  write a PNG snapshot of the shown grid\n"
           "  --osd-snapshot-delay <s>        seconds from showing to writing it (default 0.7)\n"
           "  --help                          print this and quit\n"
           "A launch switch may also be given as a variable of the environment, named after it:\n"
           "TESSARIN_OSD_SNAPSHOT_PATH=shot.png for --osd-snapshot-path shot.png.\n";
}

ProgramLaunch::SecondStart ProgramLaunch::secondStart(const std::filesystem::path& defaultsFile,
                                                      bool cameForward) {
    const std::string running =
        "Tessarin is already running with the settings file " + defaultsFile.string();
    if (cameForward) {
        return {running + ": its preferences were brought forward.", 0};
    }
    return {running + ", but it did not answer; quitting.", 1};
}

} // namespace tessarin
