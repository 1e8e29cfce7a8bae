#include "Core/AppDelegate/LaunchOptions.h"

#include "Support/Environment.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <locale.h>

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

// The C locale's numbers, whatever the user's locale (which the toolkit makes the process's):
// "2.5" is a delay everywhere and "2,5" nowhere.
locale_t numberLocale() {
    static const locale_t locale = ::newlocale(LC_NUMERIC_MASK, "C", locale_t{});
    return locale;
}

// The whole text must be a number; leading blanks are not skipped.
std::optional<double> parseNumber(const std::optional<std::string>& text) {
    if (!text || text->empty() || std::isspace(static_cast<unsigned char>(text->front()))) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = ::strtod_l(text->c_str(), &end, numberLocale());
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

std::optional<std::string> nonEmpty(std::optional<std::string> text) {
    return text && !text->empty() ? std::move(text) : std::nullopt;
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
    // Taken exactly as given, but an empty path names no file: it counts as not given.
    options.osdSnapshotPath = nonEmpty(argumentValue(kSnapshotPathSwitch, arguments));
    if (!options.osdSnapshotPath) {
        options.osdSnapshotPath = nonEmpty(environment(kSnapshotPathVariable));
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
