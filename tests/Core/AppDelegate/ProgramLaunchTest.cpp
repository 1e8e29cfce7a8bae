#include "Core/AppDelegate/ProgramLaunch.h"

#include <gtest/gtest.h>
#include <map>

namespace tessarin::testing {
namespace {

using Action = ProgramLaunch::Action;
using Variables = std::map<std::string, std::string>;

const std::string kFile = "/Tessarin/com.tessarin.Tessarin.json";
const std::string kHome = "/home/ada/.config" + kFile;

ProgramLaunch run(bool offscreen, std::optional<std::string> defaults,
                  std::optional<std::string> scenario = std::nullopt) {
    return ProgramLaunch{Action::run, offscreen, std::move(scenario), std::move(defaults)};
}

TEST(ProgramLaunch, DecidesFromTheCommandLineAndTheEnvironment) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        Variables environment; // HOME is /home/ada unless a row names it
        ProgramLaunch expected;
    };
    const ProgramLaunch usage{Action::printUsage, false, {}, {}};
    const ProgramLaunch quit{Action::quitWithoutDisplay, true, {}, {}};
    // clang-format off
    const Case cases[] = {
        {"X display", {}, {{"DISPLAY", ":0"}}, run(false, kHome)},
        {"Wayland only", {}, {{"WAYLAND_DISPLAY", "wayland-0"}}, run(false, kHome)},
        {"empty display is none", {}, {{"DISPLAY", ""}}, quit},
        {"no display, snapshot switch", {"--osd-snapshot-path", "a.png"}, {}, run(true, kHome)},
        {"no display, snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", "a.png"}}, run(true, kHome)},
        {"no display, empty snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", ""}}, quit},
        {"configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", "/cfg"}}, run(false, "/cfg" + kFile)},
        {"relative configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", "cfg"}}, run(false, kHome)},
        {"empty configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", ""}}, run(false, kHome)},
        {"no home", {}, {{"DISPLAY", ":0"}, {"HOME", ""}}, run(false, std::nullopt)},
        {"scenario", {"--scenario", "four.json"}, {{"DISPLAY", ":0"}}, run(false, kHome, "four.json")},
        {"help without a display", {"--scenario", "four.json", "--help"}, {}, usage},
        {"short help", {"-h"}, {{"DISPLAY", ":0"}}, usage},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"tessarin"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        Variables variables = c.environment;
        variables.emplace("HOME", "/home/ada");
        const auto environment = [&variables](const std::string& name) {
            const auto found = variables.find(name);
            return found == variables.end() ? std::nullopt
                                            : std::optional<std::string>(found->second);
        };
        EXPECT_TRUE(ProgramLaunch::decide(arguments, environment) == c.expected) << c.name;
    }
}

TEST(ProgramLaunch, ASecondStartSaysInOneLineWhatTheRunningCopyDid) {
    const struct {
        const char* name;
        bool cameForward;
        ProgramLaunch::SecondStart expected;
    } cases[] = {
        {"brought forward",
         true,
         {"Tessarin is already running with the settings file /cfg/a.json: its preferences were "
          "brought forward.",
          0}},
        {"no answer",
         false,
         {"Tessarin is already running with the settings file /cfg/a.json, but it did not "
          "answer; quitting.",
          1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramLaunch::secondStart("/cfg/a.json", c.cameForward), c.expected) << c.name;
    }
}

} // namespace
} // namespace tessarin::testing
