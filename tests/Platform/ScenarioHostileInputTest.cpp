#include "Platform/Scenario.h"

#include <gtest/gtest.h>

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
