#include "Platform/Scenario.h"

#include <gtest/gtest.h>
#include <limits>

namespace tessarin {
namespace {

// A valid scenario whose frame and preference domains are given by the case.
std::string scenarioText(const std::string& frame, const std::string& domains) {
    return R"({"displays": [{"id": 1, "uuid": "A", "frame": )" + frame +
           R"(}], "spaces": [{"display": "A", "spaces": [{"id": 1}]}], "preferenceDomains": )" +
           domains + "}";
}

std::string nestedArrays(std::size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

TEST(ScenarioHostileInputTest, RefusedWithTheSourceAndTheMemberNamed) {
    const std::string frame = "[0, 0, 800, 600]";
    struct Case {
        const char* name;
        std::string text;
        std::string expected; // the error starts with this
    };
    const Case cases[] = {
        {"value nested 5000 deep",
         scenarioText(frame, R"({"com.example": {"deep": )" + nestedArrays(5000) + "}}"),
         "h.json: preferenceDomains.\"com.example\".deep[0]"},
        {"domain without a name", scenarioText(frame, R"({"": {"a": 1}})"),
         "h.json: preferenceDomains.\"\": "},
    };
    ASSERT_TRUE(parseScenarioText(scenarioText(frame, "{}"), "h.json"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = parseScenarioText(c.text, "h.json");
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error.rfind(c.expected, 0), 0u) << result.error;
    }
}

// A scenario with one display of the given frame and, unless empty, the given pointer.
std::string sceneWith(const std::string& frame, const std::string& pointer) {
    return R"({"displays": [{"id": 1, "uuid": "A", "frame": )" + frame +
           R"(}], "spaces": [{"display": "A", "spaces": [{"id": 1}]}])" +
           (pointer.empty() ? std::string() : R"(, "mouseLocation": )" + pointer) + "}";
}

// Frames no display has and pointers far off every display would leave nothing to draw.
TEST(ScenarioHostileInputTest, FramesAndPointersNoDisplayHasAreRefused) {
    const std::string sideProblem = "width and height must be between 1 and 16384";
    const std::string coordinateProblem = "x and y must be between -1000000 and 1000000";
    const std::string frame = "displays[0].frame: ";
    struct Case {
        const char* name;
        std::string frame;
        std::string pointer;
        std::string expected; // empty: accepted
    };
    const Case cases[] = {
        {"an ordinary display", "[0, 0, 1440, 900]", "[720, 450]", ""},
        {"the smallest display", "[0, 0, 1, 1]", "", ""},
        {"the largest display at the far corner", "[-1000000, 1000000, 16384, 16384]",
         "[1000000, -1000000]", ""},
        {"a huge width", "[0, 0, 1e308, 900]", "", frame + sideProblem},
        {"a side wider than the bound", "[0, 0, 16385, 900]", "", frame + sideProblem},
        {"a height of the smallest double", "[0, 0, 1440, 5e-324]", "", frame + sideProblem},
        {"a side under one point", "[0, 0, 0.5, 900]", "", frame + sideProblem},
        {"a zero side", "[0, 0, 1440, 0]", "", frame + sideProblem},
        {"a negative side", "[0, 0, -1440, 900]", "", frame + sideProblem},
        {"an origin far out", "[1e308, 0, 1440, 900]", "", frame + coordinateProblem},
        {"an origin just past the bound", "[0, -1000001, 1440, 900]", "",
         frame + coordinateProblem},
        {"a pointer far out", "[0, 0, 1440, 900]", "[1e308, 0]",
         "mouseLocation: " + coordinateProblem},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = parseScenarioText(sceneWith(c.frame, c.pointer), "h.json");
        if (c.expected.empty()) {
            EXPECT_TRUE(result) << result.error;
        } else {
            ASSERT_FALSE(result);
            EXPECT_EQ(result.error, "h.json: " + c.expected);
        }
    }
}

// A scenario built as JSON in code can hold numbers no text holds.
TEST(ScenarioHostileInputTest, NumbersThatAreNoneAreRefusedInFramesAndThePointer) {
    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        const char* member; // "frame", "visibleFrame" or "mouseLocation"
        std::size_t index;
        double value;
        std::string expected;
    };
    const std::string side = "width and height must be between 1 and 16384";
    const std::string coordinates = "x and y must be between -1000000 and 1000000";
    const Case cases[] = {
        {"an infinite width", "frame", 2, infinity, "displays[0].frame: " + side},
        {"a height that is no number", "frame", 3, nan, "displays[0].frame: " + side},
        {"an x that is no number", "frame", 0, nan, "displays[0].frame: " + coordinates},
        {"a visible frame of infinite height", "visibleFrame", 3, infinity,
         "displays[0].visibleFrame: " + side},
        {"a pointer at minus infinity", "mouseLocation", 1, -infinity,
         "mouseLocation: " + coordinates},
        {"a pointer that is no number", "mouseLocation", 0, nan, "mouseLocation: " + coordinates},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto json = Json::parse(sceneWith("[0, 0, 1440, 900]", "[10, 10]"));
        Json& display = json["displays"][0];
        display["visibleFrame"] = Json::array({0, 25, 1440, 875});
        Json& member =
            std::string(c.member) == "mouseLocation" ? json[c.member] : display[c.member];
        member[c.index] = c.value;
        const auto result = parseScenario(json, "code");
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error, "code: " + c.expected);
    }
}

// Scenarios are also built as JSON in code, where no text reader bounds the depth.
TEST(ScenarioHostileInputTest, DeepValueBuiltInCodeIsRefused) {
    auto json = Json::parse(scenarioText("[0, 0, 800, 600]", "{}"));
    Json deep = Json::array();
    for (int i = 0; i < 20000; ++i) {
        deep = Json::array({std::move(deep)});
    }
    json["preferenceDomains"]["com.example"]["deep"] = std::move(deep);
    const auto result = parseScenario(json, "code");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error.rfind("code: preferenceDomains.\"com.example\": ", 0), 0u)
        << result.error;
}

} // namespace
} // namespace tessarin
