#include "Support/Json.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

std::string nestedArrays(std::size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

std::string nestedObjects(std::size_t depth) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += "{\"a\":";
    }
    return text + "1" + std::string(depth, '}');
}

// An exception escaping parseJson fails the test as well.
TEST(JsonHostileInputTest, TextThatCannotBeReadIsAnError) {
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"number above the double range", "[1e400]"},
        {"objects 5000 deep", nestedObjects(5000)},
        {"one level past the bound", nestedArrays(257)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = parseJson(c.text);
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(JsonHostileInputTest, NestingUpToTheBoundIsRead) {
    EXPECT_TRUE(parseJson(nestedArrays(256)));
    // Brackets inside strings are text, not nesting.
    EXPECT_TRUE(parseJson("[\"" + std::string(1000, '[') + "\"]"));
}

TEST(JsonHostileInputTest, TooDeepNestingNamesTheMemberItStartsIn) {
    const auto result =
        parseJson("{\"b\": 1, \"outer\": {\"x.y\": [0, " + nestedArrays(300) + "]}}");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.member.rfind("outer.\"x.y\"[1][0]", 0), 0u) << result.member;
}

// The line and column say where the text went wrong (a number out of range has neither); the
// member says what was being read there.
TEST(JsonHostileInputTest, MalformedTextNamesTheMemberBeingRead) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {R"({"displays": [{"id": 1, "uuid": tru}]})", "displays[0].uuid", true},
        {R"({"a": {"b": 1,}})", "a", true},
        {R"({"list": [1, 2, ]})", "list[2]", true},
        {R"({"b": 1, "odd key": x})", "\"odd key\"", true},
        {R"({"outer": {"inner": "no end)", "outer.inner", true},
        {R"({"n": [1e999]})", "n[0]", false},
        {"nope", "", true},
    };
    for (const auto& [text, member, namesTheLine] : cases) {
        const auto result = parseJson(text);
        EXPECT_FALSE(result) << text;
        EXPECT_EQ(result.member, member) << text;
        EXPECT_EQ(result.error.find("line 1, column") != std::string::npos, namesTheLine)
            << result.error;
    }
}

} // namespace
} // namespace tessarin
