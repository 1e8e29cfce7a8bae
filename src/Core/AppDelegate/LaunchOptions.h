#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the command line and the environment ask of the launch: show the OSD shortly after
// start-up (the Space picker, or the built-in sample grid), and write a PNG snapshot of it.
// Parsed once; an unreadable value falls back instead of failing.
struct LaunchOptions {
    static constexpr double defaultShowOSDOnLaunchDelay = 0.8;
    static constexpr double defaultSnapshotDelay = 0.7;
    static constexpr double maximumDelay = 10.0;

    bool showOSDOnLaunch = false;
    double showOSDOnLaunchDelay = defaultShowOSDOnLaunchDelay;
    bool osdPreviewFixture = false;
    std::optional<std::string> osdSnapshotPath;
    double osdSnapshotDelay = defaultSnapshotDelay;

    friend bool operator==(const LaunchOptions&, const LaunchOptions&) = default;

    // Reads a variable of the environment; none when it is not set.
    using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

    // `arguments` starts with the program's own path, as the process received it.
    static LaunchOptions parse(const std::vector<std::string>& arguments,
                               const EnvironmentLookup& environment);
    // The process's environment (with the test overrides of `Environment`).
    static EnvironmentLookup processEnvironment();

    // The value of a switch: the element after an exact match, or the text after "switch=";
    // the first element that yields one wins.
    static std::optional<std::string> argumentValue(const std::string& switchName,
                                                    const std::vector<std::string>& arguments);
    // A delay from the switch, else from the variable; a value that is not a whole number, is
    // negative or NaN counts as absent, and a larger one than ten seconds becomes ten.
    static std::optional<double> resolvedDelay(const std::string& switchName,
                                               const std::string& variableName,
                                               const std::vector<std::string>& arguments,
                                               const EnvironmentLookup& environment);
};

} // namespace tessarin
