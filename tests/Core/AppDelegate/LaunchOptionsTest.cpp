#include "Core/AppDelegate/LaunchOptions.h"

#include <gtest/gtest.h>
#include <map>

namespace tessarin::testing {
namespace {

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment;
    LaunchOptions expected;
};

LaunchOptions options(bool show, double delay = 0.8, bool fixture = false,
                      std::optional<std::string> path = std::nullopt, double snapshotDelay = 0.7) {
    return LaunchOptions{show, delay, fixture, std::move(path), snapshotDelay};
}

const std::string kDelay = "--show-osd-on-launch-delay";
const std::string kDelayVariable = "TESSARIN_SHOW_OSD_ON_LAUNCH_DELAY";

TEST(LaunchOptions, SwitchesWinOverVariablesAndBadValuesFallBack) {
    // clang-format off
    const std::vector<Case> cases = {
        {"nothing", {}, {}, options(false)},
        {"joined delay", {kDelay + "=2.5"}, {}, options(false, 2.5)},
        {"separate delay", {kDelay, "2.5"}, {}, options(false, 2.5)},
        {"delay cut to ten", {kDelay, "25"}, {}, options(false, 10)},
        {"negative falls to variable", {kDelay, "-1"}, {{kDelayVariable, "0.3"}}, options(false, 0.3)},
        {"negative alone is default", {kDelay, "-1"}, {}, options(false)},
        {"leading blank is none", {kDelay, " 2"}, {}, options(false)},
        {"NaN is none", {kDelay, "nan"}, {{kDelayVariable, "1"}}, options(false, 1)},
        {"delay switch last has no value", {kDelay}, {}, options(false)},
        {"show switch last", {"--show-osd-on-launch"}, {}, options(true)},
        {"show variable yes with blanks", {}, {{"TESSARIN_SHOW_OSD_ON_LAUNCH", " Yes\n"}}, options(true)},
        {"show variable 2 is off", {}, {{"TESSARIN_SHOW_OSD_ON_LAUNCH", "2"}}, options(false)},
        {"fixture shows", {"--osd-preview-fixture"}, {}, options(true, 0.8, true)},
        {"snapshot path shows", {"--osd-snapshot-path", "a.png"}, {}, options(true, 0.8, false, "a.png")},
        {"path switch wins", {"--osd-snapshot-path=a.png"}, {{"TESSARIN_OSD_SNAPSHOT_PATH", "b.png"}}, options(true, 0.8, false, "a.png")},
        {"empty path variable is a path", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", ""}}, options(true, 0.8, false, "")},
        {"snapshot delay", {"--osd-snapshot-delay", "0"}, {{"TESSARIN_OSD_SNAPSHOT_DELAY", "3"}}, options(false, 0.8, false, {}, 0)},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"tessarin"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto environment = [&c](const std::string& name) -> std::optional<std::string> {
            auto found = c.environment.find(name);
            return found == c.environment.end() ? std::nullopt
                                                : std::optional<std::string>(found->second);
        };
        EXPECT_EQ(LaunchOptions::parse(arguments, environment), c.expected) << c.name;
    }
}

} // namespace
} // namespace tessarin::testing
