#include "Platform/Preferences/PropertyValue.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>

namespace tessarin {
namespace {

std::optional<PropertyValue> throughText(const PropertyValue& value) {
    auto parsed = fromTaggedJson(nlohmann::json::parse(toTaggedJson(value).dump()));
    EXPECT_TRUE(parsed.value) << parsed.error;
    return parsed.value;
}

TEST(PropertyValueTest, TaggedJsonKeepsEveryTypeExactlyThroughText) {
    const std::pair<const char*, PropertyValue> cases[] = {
        {"largest integer", std::numeric_limits<int64_t>::max()},
        {"smallest integer", std::numeric_limits<int64_t>::min()},
        {"infinity", std::numeric_limits<double>::infinity()},
        {"empty data", Data{}},
        {"one byte", Data{0xFF}},
        {"two bytes", Data{0x00, 0x10}},
        {"nested", PropertyDictionary{{"n", PropertyArray{PropertyDictionary{{"deep", 1.5}}}}}},
    };
    for (const auto& [name, value] : cases) {
        SCOPED_TRACE(name);
        const auto parsed = throughText(value);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->storage.index(), value.storage.index());
        EXPECT_EQ(*parsed, value);
    }
    const auto nan = throughText(std::numeric_limits<double>::quiet_NaN());
    ASSERT_TRUE(nan);
    ASSERT_TRUE(nan->doubleValue());
    EXPECT_TRUE(std::isnan(*nan->doubleValue()));
}

TEST(PropertyValueTest, TypedReadsAnswerOnlyForTheirType) {
    EXPECT_EQ(PropertyValue(true).boolValue(), true);
    EXPECT_FALSE(PropertyValue(3).boolValue());
    EXPECT_FALSE(PropertyValue(true).integerValue());
    EXPECT_EQ(PropertyValue(4.0).integerValue(), 4);
    EXPECT_FALSE(PropertyValue(4.5).integerValue());
    EXPECT_FALSE(PropertyValue(1e300).integerValue());
    EXPECT_EQ(PropertyValue(3).doubleValue(), 3.0);
    EXPECT_FALSE(PropertyValue("3").integerValue());
    EXPECT_EQ(PropertyValue(PropertyArray{"a", "b"}).stringArrayValue(),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(PropertyValue(PropertyArray{"a", 1}).stringArrayValue());
    EXPECT_EQ(PropertyValue(1).member("enabled"), nullptr);
}

TEST(PropertyValueTest, MalformedTaggedJsonIsRefusedWithItsPlace) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
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
    for (const auto& [name, json, errorPart] : cases) {
        SCOPED_TRACE(name);
        const auto parsed = fromTaggedJson(nlohmann::json::parse(json));
        EXPECT_FALSE(parsed.value);
        EXPECT_NE(parsed.error.find(errorPart), std::string::npos) << parsed.error;
    }
}

TEST(PropertyValueTest, PlainJsonMapsOntoTypesAndBack) {
    // 2.0 must stay a double; the comparison tells it apart from the integer 2.
    const auto parsed = fromPlainJson(
        nlohmann::json::parse(R"({"flag": true, "count": 2, "ratio": 2.0, "list": [1, "a"]})"));
    ASSERT_TRUE(parsed.value) << parsed.error;
    EXPECT_EQ(*parsed.value,
              PropertyValue(PropertyDictionary{
                  {"flag", true}, {"count", 2}, {"ratio", 2.0}, {"list", PropertyArray{1, "a"}}}));
    EXPECT_EQ(fromPlainJson(toPlainJson(*parsed.value)).value, parsed.value);
}

TEST(PropertyValueTest, Base64MatchesTheStandardAlphabet) {
    EXPECT_EQ(base64Encode(Data{'M', 'a', 'n'}), "TWFu");
    EXPECT_EQ(base64Encode(Data{'M'}), "TQ==");
    EXPECT_EQ(base64Decode("TWE="), (Data{'M', 'a'}));
    for (const char* bad : {"TW=E", "T*E=", "TQ==TQ=="}) {
        EXPECT_FALSE(base64Decode(bad)) << bad;
    }
}

} // namespace
} // namespace tessarin
