#include "Core/AppDelegate/LaunchOptions.h"

#include "Support/Environment.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace tessarin {

namespace {

constexpr const char* kShowSwitch = "--show-osd-on-launch";
constexpr const char* kShowDelaySwitch = "--show-osd-on-launch-delay";
constexpr const char* kFixtureSwitch = "--osd-preview-fixture";
constexpr const char* kSnapshotPathSwitch = "--osd-snapshot-path";
constexpr const char* kSnapshotDelaySwitch = "--osd-snapshot-delay";

constexpr const char* kShowVariable = "TESSARIN_SHOW_OSD_ON_LAUNCH";
constexpr const char* kShowDelayVariable = "TESSARIN_SHOW_OSD_ON_LAUNCH_DELAY";
constexpr const char* kFixtureVariable = "TESSARIN_OSD_PREVIEW_FIXTURE";
constexpr const char* kSnapshotPathVariable = "TESSARIN_OSD_SNAPSHOT_PATH";
constexpr const char* kSnapshotDelayVariable = "TESSARIN_OSD_SNAPSHOT_DELAY";

// The whole text must be a number; leading blanks are not skipped.
std::optional<double> parseNumber(const std::optional<std::string>& text) {
    if (!text || text->empty() || std::isspace(static_cast<unsigned char>(text->front()))) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (end != text->c_str() + text->size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> usableDelay(const std::optional<std::string>& text) {
    const std::optional<double> value = parseNumber(text);
    if (!value || std::isnan(*value) || *value < 0) {
        return std::nullopt;
    }
    return std::min(*value, LaunchOptions::maximumDelay);
}

bool contains(const std::vector<std::string>& arguments, const std::string& element) {
    return std::find(arguments.begin(), arguments.end(), element) != arguments.end();
}

} // namespace

std::optional<std::string> LaunchOptions::argumentValue(const std::string& switchName,
                                                        const std::vector<std::string>& arguments) {
    const std::string joined = switchName + "=";
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& element = arguments[index];
        if (element == switchName && index + 1 < arguments.size()) {
            return arguments[index + 1];
        }
        if (element.rfind(joined, 0) == 0) {
            return element.substr(joined.size());
        }
    }
    return std::nullopt;
}

std::optional<double> LaunchOptions::resolvedDelay(const std::string& switchName,
                                                   const std::string& variableName,
                                                   const std::vector<std::string>& arguments,
                                                   const EnvironmentLookup& environment) {
    if (auto delay = usableDelay(argumentValue(switchName, arguments))) {
        return delay;
    }
    return usableDelay(environment(variableName));
}

LaunchOptions LaunchOptions::parse(const std::vector<std::string>& arguments,
                                   const EnvironmentLookup& environment) {
    LaunchOptions options;
    options.osdSnapshotPath = argumentValue(kSnapshotPathSwitch, arguments);
    if (!options.osdSnapshotPath) {
        // Taken exactly as set: an empty value is a path too.
        options.osdSnapshotPath = environment(kSnapshotPathVariable);
    }
    options.osdPreviewFixture =
        contains(arguments, kFixtureSwitch) || isSwitchValueOn(environment(kFixtureVariable));
    options.showOSDOnLaunch = contains(arguments, kShowSwitch) ||
                              isSwitchValueOn(environment(kShowVariable)) ||
                              options.osdPreviewFixture || options.osdSnapshotPath.has_value();
    options.showOSDOnLaunchDelay =
        resolvedDelay(kShowDelaySwitch, kShowDelayVariable, arguments, environment)
            .value_or(defaultShowOSDOnLaunchDelay);
    options.osdSnapshotDelay =
        resolvedDelay(kSnapshotDelaySwitch, kSnapshotDelayVariable, arguments, environment)
            .value_or(defaultSnapshotDelay);
    return options;
}

LaunchOptions::EnvironmentLookup LaunchOptions::processEnvironment() {
    return [](const std::string& name) { return Environment::value(name); };
}

} // namespace tessarin
