#include "Core/AppDelegate/ProgramLaunch.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace tessarin {
void PrintTo(const ProgramLaunch& launch, std::ostream* out) {
    *out << "{action " << static_cast<int>(launch.action) << ", offscreen " << launch.offscreen
         << ", scenario " << launch.scenarioFile.value_or("default") << ", defaults "
         << (launch.defaultsFile ? launch.defaultsFile->string() : "in memory") << "}";
}
} // namespace tessarin

namespace tessarin::testing {
namespace {

using Action = ProgramLaunch::Action;
using Variables = std::map<std::string, std::string>;

const std::string kFile = "com.tessarin.Tessarin.json";
const Variables kDesktop = {{"DISPLAY", ":0"}, {"HOME", "/home/ada"}};

ProgramLaunch run(bool offscreen, std::optional<std::filesystem::path> defaults,
                  std::optional<std::string> scenario = std::nullopt) {
    return ProgramLaunch{Action::run, offscreen, std::move(scenario), std::move(defaults)};
}

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    Variables environment;
    ProgramLaunch expected;
};

TEST(ProgramLaunch, DecidesFromTheCommandLineAndTheEnvironment) {
    const auto home = std::filesystem::path("/home/ada/.config/Tessarin") / kFile;
    const ProgramLaunch usage{Action::printUsage, false, {}, {}};
    const ProgramLaunch quit{Action::quitWithoutDisplay, true, {}, {}};
    // clang-format off
    const Case cases[] = {
        {"X display", {}, kDesktop, run(false, home)},
        {"Wayland only", {}, {{"WAYLAND_DISPLAY", "wayland-0"}, {"HOME", "/home/ada"}}, run(false, home)},
        {"empty display is none", {}, {{"DISPLAY", ""}, {"HOME", "/home/ada"}}, quit},
        {"no display, no snapshot", {}, {{"HOME", "/home/ada"}}, quit},
        {"no display, snapshot switch", {"--osd-snapshot-path", "a.png"}, {{"HOME", "/home/ada"}}, run(true, home)},
        {"no display, snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", "a.png"}, {"HOME", "/home/ada"}}, run(true, home)},
        {"no display, empty snapshot variable", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", ""}}, quit},
        {"configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/ada"}}, run(false, "/cfg/Tessarin/" + kFile)},
        {"relative configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/ada"}}, run(false, home)},
        {"empty configuration folder", {}, {{"DISPLAY", ":0"}, {"XDG_CONFIG_HOME", ""}, {"HOME", "/home/ada"}}, run(false, home)},
        {"no home", {}, {{"DISPLAY", ":0"}}, run(false, std::nullopt)},
        {"scenario", {"--scenario", "four.json"}, kDesktop, run(false, home, "four.json")},
        {"help", {"--scenario", "four.json", "--help"}, {}, usage},
        {"short help", {"-h"}, kDesktop, usage},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"tessarin"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto environment = [&c](const std::string& name) -> std::optional<std::string> {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? std::nullopt
                                                : std::optional<std::string>(found->second);
        };
        EXPECT_EQ(ProgramLaunch::decide(arguments, environment), c.expected) << c.name;
    }
}

TEST(ProgramLaunch, UsageNamesEveryOptionOnItsOwnLine) {
    std::istringstream usage(ProgramLaunch::usage());
    std::vector<std::string> options;
    for (std::string line; std::getline(usage, line);) {
        if (line.rfind("  --", 0) == 0) {
            options.push_back(line.substr(2, line.find_first_of(" ", 2) - 2));
        }
    }
    EXPECT_EQ(options,
              (std::vector<std::string>{"--scenario", "--show-osd-on-launch",
                                        "--show-osd-on-launch-delay", "--osd-preview-fixture",
                                        "--osd-snapshot-path", "--osd-snapshot-delay", "--help"}));
}

} // namespace
} // namespace tessarin::testing
