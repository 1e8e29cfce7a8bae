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
                  std::optional<std::string> scenario = std::nullopt,
                  std::optional<std::string> x11Display = std::nullopt) {
    return ProgramLaunch{Action::run, offscreen, std::move(scenario), std::move(defaults),
                         std::move(x11Display)};
}

// A run on the X display ":0".
ProgramLaunch onX(std::optional<std::string> defaults,
                  std::optional<std::string> scenario = std::nullopt) {
    return run(false, std::move(defaults), std::move(scenario), ":0");
}

std::optional<std::string> lookUp(const Variables& variables, const std::string& name) {
    const auto found = variables.find(name);
    return found == variables.end() ? std::nullopt : std::optional<std::string>(found->second);
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
        {"X display", {}, {{"DISPLAY", ":0"}}, onX(kHome)},
        {"Wayland only", {}, {{"WAYLAND_DISPLAY", "wayland-0"}}, run(false, kHome)},
        {"empty display is none", {}, {{"DISPLAY", ""}}, quit},
        {"no display, snapshot switch", {"--osd-snapshot-path", "a.png"}, {}, run(true, kHome)},
        {"no display, snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", "a.png"}}, run(true, kHome)},
        {"no display, empty snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", ""}}, quit},
        {"configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", "/cfg"}}, onX("/cfg" + kFile)},
        {"relative configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", "cfg"}}, onX(kHome)},
        {"empty configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", ""}}, onX(kHome)},
        {"no home", {}, {{"DISPLAY", ":0"}, {"HOME", ""}}, onX(std::nullopt)},
        {"scenario", {"--scenario", "four.json"}, {{"DISPLAY", ":0"}}, onX(kHome, "four.json")},
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
            return lookUp(variables, name);
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

TEST(ProgramLaunch, BesideARunningCopyOnlyASnapshotRunRuns) {
    using Beside = ProgramLaunch::BesideRunningCopy;
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        Variables environment;
        Beside expected;
    };
    // clang-format off
    const Case cases[] = {
        {"a start on a display", {}, {{"DISPLAY", ":0"}}, Beside::bringItForward},
        {"the picker shown at the start", {"--show-osd-on-launch"}, {{"DISPLAY", ":0"}}, Beside::bringItForward},
        {"offscreen snapshot", {"--osd-snapshot-path", "a.png"}, {}, Beside::writeSnapshotReadOnly},
        {"snapshot on a display", {"--osd-snapshot-path", "a.png"}, {{"DISPLAY", ":0"}}, Beside::writeSnapshotReadOnly},
        {"snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", "a.png"}}, Beside::writeSnapshotReadOnly},
        {"empty snapshot path", {"--osd-snapshot-path", ""}, {{"DISPLAY", ":0"}}, Beside::bringItForward},
        {"fixture snapshot", {"--osd-preview-fixture", "--osd-snapshot-path=a.png"}, {}, Beside::writeSnapshotReadOnly},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"tessarin"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto environment = [&c](const std::string& name) {
            return lookUp(c.environment, name);
        };
        EXPECT_EQ(ProgramLaunch::besideRunningCopy(arguments, environment), c.expected) << c.name;
    }
    EXPECT_EQ(ProgramLaunch::besideRunningCopyLine("/cfg/a.json", ""),
              "launch.besideRunningCopy settingsFile=/cfg/a.json settings=read-only");
    EXPECT_EQ(ProgramLaunch::besideRunningCopyLine("/cfg/a.json", "is not a regular file"),
              "launch.besideRunningCopy settingsFile=/cfg/a.json settings=read-only "
              "unreadable=is not a regular file");
}

// The toolkit gives up the process on an X display it cannot open, so the program checks the
// one the toolkit will use, and only that one.
TEST(ProgramLaunch, NamesTheXDisplayTheToolkitWillOpen) {
    struct Case {
        const char* name;
        Variables environment;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"X display", {{"DISPLAY", ":79"}}, ":79"},
        {"a name of blanks", {{"DISPLAY", " "}}, " "},
        {"X11 named", {{"DISPLAY", "nohost:0"}, {"QT_QPA_PLATFORM", "xcb"}}, "nohost:0"},
        {"X11 with options", {{"DISPLAY", ":1"}, {"QT_QPA_PLATFORM", "xcb:nograb"}}, ":1"},
        {"X and Wayland", {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}, std::nullopt},
        {"X and Wayland, X11 named",
         {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"QT_QPA_PLATFORM", "xcb"}},
         ":0"},
        {"another platform named", {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "vnc"}}, std::nullopt},
        {"Wayland only", {{"WAYLAND_DISPLAY", "wayland-0"}}, std::nullopt},
        {"offscreen", {{"TESSARIN_OSD_SNAPSHOT_PATH", "a.png"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto environment = [&c](const std::string& name) {
            return lookUp(c.environment, name);
        };
        EXPECT_EQ(ProgramLaunch::decide({"tessarin"}, environment).x11Display, c.expected)
            << c.name;
    }
}

TEST(ProgramLaunch, SaysWhichDisplayCannotBeOpenedAndWhatToDo) {
    EXPECT_EQ(ProgramLaunch::unopenableDisplayMessage("nohost:0"),
              "Cannot open the X display \"nohost:0\" (DISPLAY): start an X server there, or "
              "unset DISPLAY to run offscreen.");
    EXPECT_EQ(ProgramLaunch::unopenableDisplayMessage(":0\x1b"),
              "Cannot open the X display \":0\\x1B\" (DISPLAY): start an X server there, or "
              "unset DISPLAY to run offscreen.");
}

} // namespace
} // namespace tessarin::testing
