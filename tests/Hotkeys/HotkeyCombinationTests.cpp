#include "Hotkeys/HotkeyCombination.h"

#include <gtest/gtest.h>
#include <string>
#include <unordered_set>

namespace tessarin {
namespace {

HotkeyCombination controlOptionCommandRight() {
    return {124, 0x1900, "\u2192", "\uF703"};
}

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(HotkeyCombinationTests, EncodedDataKeepsAllFourFieldsUnderTheirStoredKeys) {
    for (const HotkeyCombination& combination :
         {controlOptionCommandRight(), HotkeyCombination{0xFFFFFFFF, 0xFFFFFFFF, "", ""}}) {
        EXPECT_EQ(HotkeyCombination::fromJson(combination.toJson()), combination);
        EXPECT_EQ(HotkeyCombination::decode(combination.encodedData()), combination);
    }
    const std::vector<uint8_t> data = controlOptionCommandRight().encodedData();
    const auto json = parseJson(std::string(data.begin(), data.end()));
    ASSERT_TRUE(json);
    EXPECT_EQ(*json.value, (Json{{"keyCode", 124},
                                 {"modifiers", 6400},
                                 {"displayKey", "\u2192"},
                                 {"keyEquivalent", "\uF703"}}));
    // Keys it does not know are ignored.
    EXPECT_EQ(HotkeyCombination::decode(bytes(
                  R"({"keyCode":18,"modifiers":256,"displayKey":"1","keyEquivalent":"1","x":1})")),
              (HotkeyCombination{18, 256, "1", "1"}));
}

struct MalformedCase {
    const char* name;
    const char* text;
};

void PrintTo(const MalformedCase& value, std::ostream* out) {
    *out << value.name;
}

class HotkeyCombinationMalformedTests : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(HotkeyCombinationMalformedTests, DecodesToNothing) {
    EXPECT_EQ(HotkeyCombination::decode(bytes(GetParam().text)), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HotkeyCombinationMalformedTests,
    ::testing::Values(
        MalformedCase{"missingKeyEquivalent",
                      R"({"keyCode":123,"modifiers":4096,"displayKey":"←"})"},
        MalformedCase{"negativeKeyCode",
                      R"({"keyCode":-1,"modifiers":0,"displayKey":"a","keyEquivalent":"a"})"},
        MalformedCase{
            "keyCodeBeyond32Bits",
            R"({"keyCode":4294967296,"modifiers":0,"displayKey":"a","keyEquivalent":"a"})"},
        MalformedCase{"fractionalModifiers",
                      R"({"keyCode":1,"modifiers":1.5,"displayKey":"a","keyEquivalent":"a"})"},
        MalformedCase{"displayKeyNotAString",
                      R"({"keyCode":1,"modifiers":0,"displayKey":7,"keyEquivalent":"a"})"},
        MalformedCase{"array", R"([124, 6400, "→", ""])"}, MalformedCase{"notJson", "{keyCode:"},
        MalformedCase{"invalidUtf8", "{\"keyCode\":1,\"modifiers\":0,\"displayKey\":\"\xff\","
                                     "\"keyEquivalent\":\"a\"}"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HotkeyCombinationTests, EncodingInvalidTextDoesNotFail) {
    const HotkeyCombination combination{1, 0, std::string("\xff"), "a"};
    const auto decoded = HotkeyCombination::decode(combination.encodedData());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->keyCode, 1u);
}

TEST(HotkeyCombinationTests, DisplayIsGlyphsInCommandOptionControlShiftOrderThenKey) {
    EXPECT_EQ(HotkeyCombination::symbols(0x1B00), "\u2318\u2325\u2303\u21E7");
    EXPECT_EQ(HotkeyCombination::symbols(0x1 | 0x80 | 0x4000), "");
    EXPECT_EQ(controlOptionCommandRight().displayString(), "\u2318\u2325\u2303\u2192");
    EXPECT_EQ((HotkeyCombination{0, 0x300, "A", "a"}).displayString(), "\u2318\u21E7A");
}

TEST(HotkeyCombinationTests, EqualityAndHashCoverEveryField) {
    const HotkeyCombination base = controlOptionCommandRight();
    std::unordered_set<HotkeyCombination> set{base, base};
    for (auto change : {+[](HotkeyCombination& c) { c.keyEquivalent = "x"; },
                        +[](HotkeyCombination& c) { c.displayKey = "x"; },
                        +[](HotkeyCombination& c) { c.modifiers = 0x1000; }}) {
        HotkeyCombination other = base;
        change(other);
        EXPECT_NE(other, base);
        set.insert(other);
    }
    EXPECT_EQ(set.size(), 4u);
}

} // namespace
} // namespace tessarin
