#include "Platform/Preferences/PropertyValue.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

namespace tessarin {
namespace {

struct RoundTripCase {
    const char* name;
    PropertyValue value;
};

std::vector<RoundTripCase> roundTripCases() {
    return {
        {"true", true},
        {"false", false},
        {"zero integer", 0},
        {"integer", int64_t{42}},
        {"largest integer", std::numeric_limits<int64_t>::max()},
        {"smallest integer", std::numeric_limits<int64_t>::min()},
        {"integral double", 2.0},
        {"double", -0.125},
        {"infinity", std::numeric_limits<double>::infinity()},
        {"string", "Desktop ⌘"},
        {"empty data", Data{}},
        {"one byte", Data{0xFF}},
        {"two bytes", Data{0x00, 0x10}},
        {"three bytes", Data{1, 2, 3}},
        {"array", PropertyArray{true, 1, 1.5, "x", Data{9}}},
        {"dictionary",
         PropertyDictionary{{"b", false}, {"n", PropertyArray{PropertyDictionary{{"deep", 3}}}}}},
    };
}

TEST(PropertyValueTest, TaggedJsonKeepsEveryTypeExactlyThroughText) {
    for (const auto& c : roundTripCases()) {
        SCOPED_TRACE(c.name);
        auto text = toTaggedJson(c.value).dump();
        auto parsed = fromTaggedJson(nlohmann::json::parse(text));
        ASSERT_TRUE(parsed.value) << parsed.error;
        EXPECT_EQ(parsed.value->storage.index(), c.value.storage.index());
        EXPECT_EQ(*parsed.value, c.value);
    }
}

TEST(PropertyValueTest, NotANumberSurvivesTheFile) {
    auto text = toTaggedJson(std::numeric_limits<double>::quiet_NaN()).dump();
    auto parsed = fromTaggedJson(nlohmann::json::parse(text));
    ASSERT_TRUE(parsed.value) << parsed.error;
    ASSERT_TRUE(parsed.value->isDouble());
    EXPECT_TRUE(std::isnan(*parsed.value->doubleValue()));
}

TEST(PropertyValueTest, TypedReadsAnswerOnlyForTheirType) {
    PropertyValue flag = true;
    PropertyValue integer = 3;
    PropertyValue integral = 4.0;
    PropertyValue fraction = 4.5;
    PropertyValue huge = 1e300;
    PropertyValue text = "3";

    EXPECT_EQ(flag.boolValue(), true);
    EXPECT_FALSE(integer.boolValue());
    EXPECT_FALSE(flag.integerValue());
    EXPECT_EQ(integer.integerValue(), 3);
    EXPECT_EQ(integral.integerValue(), 4);
    EXPECT_FALSE(fraction.integerValue());
    EXPECT_FALSE(huge.integerValue());
    EXPECT_EQ(integer.doubleValue(), 3.0);
    EXPECT_FALSE(text.integerValue());
    EXPECT_FALSE(integer.stringValue());
    EXPECT_FALSE(text.dataValue());
}

TEST(PropertyValueTest, StringArrayNeedsEveryElementToBeAString) {
    PropertyValue strings = PropertyArray{"a", "b"};
    PropertyValue mixed = PropertyArray{"a", 1};
    EXPECT_EQ(strings.stringArrayValue(), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(mixed.stringArrayValue());
    EXPECT_FALSE(PropertyValue("a").stringArrayValue());
}

TEST(PropertyValueTest, MemberLooksIntoDictionariesOnly) {
    PropertyValue entry = PropertyDictionary{{"enabled", true}};
    ASSERT_NE(entry.member("enabled"), nullptr);
    EXPECT_EQ(entry.member("enabled")->boolValue(), true);
    EXPECT_EQ(entry.member("value"), nullptr);
    EXPECT_EQ(PropertyValue(1).member("enabled"), nullptr);
}

struct BadTaggedCase {
    const char* name;
    const char* json;
    const char* errorPart;
};

TEST(PropertyValueTest, MalformedTaggedJsonIsRefusedWithItsPlace) {
    const std::vector<BadTaggedCase> cases = {
        {"bare number", "3", "one type member"},
        {"unknown tag", R"({"float": 1})", "unknown value type \"float\""},
        {"two tags", R"({"integer": 1, "double": 1.0})", "one type member"},
        {"integer as text", R"({"integer": "1"})", "64-bit integer"},
        {"fractional integer", R"({"integer": 1.5})", "64-bit integer"},
        {"too large", R"({"integer": 18446744073709551615})", "64-bit integer"},
        {"bad base64", R"({"data": "abc"})", "base64"},
        {"nested", R"({"array": [{"bool": true}, {"bool": 1}]})", "[1]"},
        {"in dictionary", R"({"dictionary": {"k": {"string": 2}}})", "[\"k\"]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto parsed = fromTaggedJson(nlohmann::json::parse(c.json));
        EXPECT_FALSE(parsed.value);
        EXPECT_NE(parsed.error.find(c.errorPart), std::string::npos) << parsed.error;
    }
}

TEST(PropertyValueTest, PlainJsonMapsOntoTypes) {
    auto parsed = fromPlainJson(nlohmann::json::parse(
        R"({"flag": true, "count": 2, "ratio": 2.0, "name": "x", "list": [1, "a"]})"));
    ASSERT_TRUE(parsed.value) << parsed.error;
    const auto& value = *parsed.value;
    EXPECT_TRUE(value.member("flag")->isBool());
    EXPECT_TRUE(value.member("count")->isInteger());
    EXPECT_TRUE(value.member("ratio")->isDouble());
    EXPECT_TRUE(value.member("name")->isString());
    EXPECT_EQ(*value.member("list"), PropertyValue(PropertyArray{1, "a"}));
    EXPECT_EQ(fromPlainJson(toPlainJson(value)).value, value);
}

TEST(PropertyValueTest, PlainJsonNullIsRefusedWithItsPlace) {
    auto parsed = fromPlainJson(nlohmann::json::parse(R"({"a": [1, null]})"));
    EXPECT_FALSE(parsed.value);
    EXPECT_EQ(parsed.error, "[\"a\"][1]: null is not a preference value");
}

TEST(PropertyValueTest, Base64MatchesTheStandardAlphabet) {
    const std::string text = "Man";
    EXPECT_EQ(base64Encode(Data(text.begin(), text.end())), "TWFu");
    EXPECT_EQ(base64Encode(Data{'M', 'a'}), "TWE=");
    EXPECT_EQ(base64Encode(Data{'M'}), "TQ==");
    EXPECT_EQ(base64Decode("TWE="), (Data{'M', 'a'}));
    EXPECT_FALSE(base64Decode("TW=E"));
    EXPECT_FALSE(base64Decode("T*E="));
    EXPECT_FALSE(base64Decode("TQ==TQ=="));
}

TEST(PropertyValueTest, PrintsAsTaggedJson) {
    std::ostringstream text;
    text << PropertyValue(PropertyArray{1, 1.5});
    EXPECT_EQ(text.str(), R"({"array":[{"integer":1},{"double":1.5}]})");
}

} // namespace
} // namespace tessarin
