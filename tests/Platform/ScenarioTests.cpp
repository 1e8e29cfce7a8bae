#include "FifoInPlace.h"
#include "Platform/Scenario.h"
#include "Support/Text.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// A small valid scenario; each error case breaks one thing in it.
Json minimal() {
    return Json::parse(R"({
        "displays": [
            {"id": 1, "uuid": "UUID-A", "name": "Left", "frame": [0, 0, 1440, 900]},
            {"id": 2, "uuid": "UUID-B", "frame": [1440, 0, 1920, 1080], "scale": 1}
        ],
        "separateSpaces": true,
        "spaces": [
            {"display": "UUID-A", "current": 2, "spaces": [{"id": 1, "title": "One"}, {"id": 2}]},
            {"display": "UUID-B", "spaces": [{"id": 7}, {"id": 8, "type": 4, "uuid": "FS"}]}
        ],
        "applications": [{"pid": 10, "bundleIdentifier": "com.example.Editor", "name": "Editor",
                          "frontmost": true}],
        "windows": [{"pid": 10, "title": "Draft", "bounds": [10, 20, 300, 200], "spaces": [2]}]
    })");
}

// Given values read back through the round trip below; these are the ones a file may leave out.
TEST(ScenarioTest, MissingPartsTakeTheirDefaults) {
    const auto result = parseScenario(minimal(), "small.json");
    ASSERT_TRUE(result) << result.error;
    const Scenario& s = *result.scenario;
    ASSERT_EQ(s.displays.size(), 2u);
    ASSERT_EQ(s.spaceLists.size(), 2u);
    ASSERT_EQ(s.windows.size(), 1u);
    EXPECT_EQ(s.displays[0].visibleFrame, s.displays[0].frame);
    EXPECT_EQ(s.displays[1].localizedName, "Display 2");
    EXPECT_EQ(s.spaceLists[1].currentSpace, 7u); // the first
    EXPECT_EQ(s.windows[0].ownerName, "Editor"); // the application's name
}

// `count` empty objects: a count past a bound is refused before any entry is read.
Json many(std::size_t count) {
    return Json(std::vector<Json>(count, Json::object()));
}

// Each row sets one member (a discarded value removes it) of the small scenario.
TEST(ScenarioTest, ErrorsNameTheSourceAndTheProblem) {
    const Json gone = Json::value_t::discarded;
    const std::tuple<const char*, Json, const char*> cases[] = {
        {"", Json::array(), "a scenario must be a JSON object"},
        {"/displays", gone, "missing \"displays\""},
        {"/displays/0/frame", {0, 0, 10}, "displays[0].frame: must be [x, y, width, height]"},
        {"/displays/1/id", 1, "displays[1].id: duplicate display ID 1"},
        {"/spaces/1/spaces/0/id", 1, "spaces[1].spaces[0].id: duplicate Space ID 1"},
        {"/spaces/0/spaces/1/id", 0, "spaces[0].spaces[1].id: must be between 1 and"},
        {"/spaces/1/display", "UUID-Z", "spaces[1].display: \"UUID-Z\" is not the UUID of"},
        {"/spaces/1", gone, "spaces: no Space list for display UUID-B"},
        {"/spaces/0/current", 7, "spaces[0].current: Space 7 is not in this list"},
        {"/spaces/1/spaces/0", gone, "spaces[1].spaces: needs at least one desktop (type 0)"},
        {"/separateSpaces", false, "spaces[0].display: with shared Spaces the only list is"},
        {"/windows/0/spaces", {99}, "windows[0].spaces[0]: no Space has ID 99"},
        {"/windows/0/pid", 11, "windows[0].pid: no application has process identifier 11"},
        {"/windows/0/spaces", gone, "windows[0]: a window needs \"spaces\" unless it is sticky"},
        {"/applications/1",
         {{"pid", 11}, {"name", "B"}, {"frontmost", true}},
         "applications[1].frontmost: only one application can be frontmost"},
        {"/activeMenuBarDisplay", 5, "activeMenuBarDisplay: no display has ID 5"},
        {"/preferenceDomains/com.apple.dock", 3, "\"com.apple.dock\": must be an object"},
        {"/displays", many(kMaxScenarioDisplays + 1),
         "displays: 65 displays; a scenario may have at most 64"},
        {"/spaces/1/spaces", many(kMaxScenarioSpacesPerDisplay + 1),
         "spaces[1].spaces: 257 Spaces; a display may have at most 256"},
        {"/windows", many(kMaxScenarioWindows + 1),
         "windows: 20001 windows; a scenario may have at most 20000"},
    };
    for (const auto& [member, value, expected] : cases) {
        Json json = minimal();
        const Json::json_pointer pointer(member);
        if (!value.is_discarded()) {
            json[pointer] = value;
        } else if (json.at(pointer.parent_pointer()).is_array()) {
            json[pointer.parent_pointer()].erase(std::stoul(pointer.back()));
        } else {
            json[pointer.parent_pointer()].erase(pointer.back());
        }
        const auto result = parseScenario(json, "broken.json");
        EXPECT_FALSE(result.scenario) << member;
        EXPECT_EQ(result.error.rfind("broken.json: ", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(expected), std::string::npos) << member << ": " << result.error;
    }
}

// A file's 0 is read as a number without a sign, -1 as one with: every ID member refuses both
// with the same line.
TEST(ScenarioTest, EveryIDRefusesZeroAsItRefusesMinusOne) {
    const std::pair<const char*, const char*> members[] = {
        {"/displays/0/id", "displays[0].id"},
        {"/spaces/0/spaces/0/id", "spaces[0].spaces[0].id"},
        {"/spaces/0/current", "spaces[0].current"},
        {"/applications/0/pid", "applications[0].pid"},
        {"/windows/0/id", "windows[0].id"},
        {"/windows/0/spaces/0", "windows[0].spaces[0]"},
        {"/activeMenuBarDisplay", "activeMenuBarDisplay"},
        {"/dockProcessIdentifier", "dockProcessIdentifier"},
    };
    for (const auto& [pointer, member] : members) {
        std::string refusals[2];
        for (const int value : {0, -1}) {
            Json json = minimal();
            json[Json::json_pointer(pointer)] = value;
            const auto result = parseScenarioText(json.dump(), "ids.json");
            EXPECT_FALSE(result.scenario) << pointer << " = " << value;
            refusals[value == 0 ? 0 : 1] = result.error;
        }
        EXPECT_EQ(refusals[0], refusals[1]) << pointer;
        const std::string prefix = std::string("ids.json: ") + member + ": must be between ";
        EXPECT_EQ(refusals[0].rfind(prefix, 0), 0u) << refusals[0];
    }
}

// The refusal is printed as one line of text whatever bytes the file or its name hold: those
// that are no printable UTF-8 are escaped, other text is kept.
TEST(ScenarioTest, ARefusalEscapesBytesThatAreNoPrintableText) {
    const auto withUUIDs = [](const std::string& uuid) {
        Json json = minimal();
        json["displays"][0]["uuid"] = uuid;
        json["displays"][1]["uuid"] = uuid;
        return json.dump();
    };
    const std::pair<std::string, std::string> cases[] = {
        {"{\"displays\": \"\xFF\xFE\"}", "\\xFF"}, // not UTF-8: the parser quotes it
        {withUUIDs("bell\a"), "duplicate display UUID bell\\x07"},
        {withUUIDs("\xC3\x89"
                   "cran"),
         "duplicate display UUID \xC3\x89"
         "cran"},
    };
    for (const auto& [text, expected] : cases) {
        const auto result = parseScenarioText(text, "bytes.json");
        EXPECT_FALSE(result.scenario);
        EXPECT_NE(result.error.find(expected), std::string::npos) << result.error;
        EXPECT_EQ(escapingUnprintable(result.error), result.error);
    }
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const auto named = std::filesystem::path(directory.path().toStdString()) / "world\xFE.json";
    const auto missing = loadScenarioFile(named);
    EXPECT_NE(missing.error.find("world\\xFE.json: "), std::string::npos) << missing.error;
    EXPECT_EQ(escapingUnprintable(missing.error), missing.error);
}

// A FIFO given as the scenario would hold the start in its open until some writer came: it is
// refused unopened.
TEST(ScenarioTest, AFifoIsRefusedUnopened) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const auto path = std::filesystem::path(directory.path().toStdString()) / "world.json";
    const FifoInPlace fifo(path);
    ASSERT_TRUE(fifo.made());
    const auto result = loadScenarioFile(path);
    EXPECT_FALSE(result.scenario);
    EXPECT_EQ(result.error, path.string() + ": is not a regular file");
    EXPECT_FALSE(fifo.heldAReader());
}

// The last display, Space and window a scenario may have.
TEST(ScenarioTest, AScenarioAtEveryBoundIsRead) {
    Json json = minimal();
    for (std::size_t d = 3; d <= kMaxScenarioDisplays; ++d) {
        const std::string uuid = "UUID-" + std::to_string(d);
        json["displays"].push_back({{"id", d}, {"uuid", uuid}, {"frame", {0, 0, 800, 600}}});
        json["spaces"].push_back({{"display", uuid}, {"spaces", {{{"id", 1000 + d}}}}});
    }
    for (std::size_t id = 9; json["spaces"][1]["spaces"].size() < kMaxScenarioSpacesPerDisplay;
         ++id) {
        json["spaces"][1]["spaces"].push_back({{"id", id}});
    }
    while (json["windows"].size() < kMaxScenarioWindows) {
        json["windows"].push_back(json["windows"][0]);
    }
    const auto result = parseScenario(json, "largest.json");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.scenario->displays.size(), kMaxScenarioDisplays);
    EXPECT_EQ(result.scenario->spaceLists[1].spaces.size(), kMaxScenarioSpacesPerDisplay);
    EXPECT_EQ(result.scenario->windows.size(), kMaxScenarioWindows);
}

TEST(ScenarioTest, FilesAreReadAndAMissingFileIsNamed) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const auto file = std::filesystem::path(directory.path().toStdString()) / "world.json";
    std::ofstream(file) << minimal().dump(2);
    const auto loaded = loadScenarioFile(file);
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(loaded.scenario->displays.size(), 2u);
    const auto missing = loadScenarioFile(file.parent_path() / "absent.json");
    EXPECT_FALSE(missing.scenario);
    EXPECT_NE(missing.error.find("absent.json"), std::string::npos) << missing.error;
    std::ofstream(file) << "{]";
    const auto broken = loadScenarioFile(file);
    EXPECT_FALSE(broken.scenario);
    EXPECT_EQ(broken.error.rfind(file.string() + ": ", 0), 0u) << broken.error;
    // The size bound: a file of the largest size is parsed (here it is not JSON), one byte more
    // is refused unread.
    std::filesystem::resize_file(file, kMaxJsonFileBytes);
    EXPECT_NE(loadScenarioFile(file).error.find("parse error"), std::string::npos);
    std::filesystem::resize_file(file, kMaxJsonFileBytes + 1);
    EXPECT_EQ(loadScenarioFile(file).error, file.string() + ": is larger than 16 MiB");
    const auto typo = parseScenarioText("{\"displays\": [", "typo.json");
    EXPECT_EQ(typo.error.rfind("typo.json: displays[0]: ", 0), 0u) << typo.error;
    EXPECT_NE(typo.error.find("parse error at line 1, column 15"), std::string::npos) << typo.error;
    const auto garbage = parseScenarioText("nope", "garbage.json");
    EXPECT_EQ(garbage.error.rfind("garbage.json: malformed JSON", 0), 0u) << garbage.error;
}

TEST(ScenarioTest, SharedSpacesUseOneListNamedMain) {
    Json json = minimal();
    json["separateSpaces"] = false;
    json["spaces"] = Json::parse(R"([{"display": "Main", "spaces": [{"id": 1}, {"id": 2}]}])");
    const auto result = parseScenario(json, "shared.json");
    ASSERT_TRUE(result) << result.error;
    EXPECT_FALSE(result.scenario->displaysHaveSeparateSpaces);
    ASSERT_EQ(result.scenario->spaceLists.size(), 1u);
    EXPECT_EQ(result.scenario->spaceLists[0].displayIdentifier, "Main");
}

TEST(ScenarioTest, TheJsonFormReadsBackAsTheSameScenario) {
    const Scenario original = Scenario::defaultScenario();
    const auto result = parseScenario(scenarioToJson(original), "default");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(*result.scenario, original);
}

} // namespace
} // namespace tessarin
