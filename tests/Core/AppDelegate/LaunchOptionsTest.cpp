#include "Core/AppDelegate/LaunchOptions.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

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
        {"empty path variable is none", {}, {{"TESSARIN_OSD_SNAPSHOT_PATH", ""}}, options(false)},
        {"empty path switch falls to variable", {"--osd-snapshot-path="}, {{"TESSARIN_OSD_SNAPSHOT_PATH", "b.png"}}, options(true, 0.8, false, "b.png")},
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

// Under a locale whose numbers take a decimal comma, as German ones do: one is made for the test
// (none need be installed) with the system's locale compiler.
TEST(LaunchOptions, DelaysReadAPointWhateverTheUsersLocale) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("tessarin-locale-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "source") << "LC_NUMERIC\ndecimal_point \",\"\nEND LC_NUMERIC\n";
    const std::string make = "localedef -c -i '" + (folder / "source").string() + "' -f UTF-8 '" +
                             (folder / "comma").string() + "' >/dev/null 2>&1";
    [[maybe_unused]] const int status = std::system(make.c_str());
    ::setenv("LOCPATH", folder.c_str(), 1);
    const bool madeLocale = std::setlocale(LC_NUMERIC, "comma") != nullptr;
    for (const auto& [text, delay] : {std::pair{"2.5", 2.5}, {"2,5", 0.8}}) {
        const auto parsed = LaunchOptions::parse({"tessarin", kDelay, text},
                                                 [](const std::string&) { return std::nullopt; });
        EXPECT_EQ(parsed.showOSDOnLaunchDelay, delay) << text;
    }
    std::setlocale(LC_NUMERIC, "C");
    ::unsetenv("LOCPATH");
    std::filesystem::remove_all(folder);
    if (!madeLocale) {
        GTEST_SKIP() << "no decimal-comma locale can be made here";
    }
}

} // namespace
} // namespace tessarin::testing
