#include "Hotkeys/HotkeyCombination.h"

#include <gtest/gtest.h>
#include <string>

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

struct MalformedRow {
    const char* name;
    std::string text;
};

class HotkeyCombinationMalformedTests : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(HotkeyCombinationMalformedTests, DecodesToNothing) {
    EXPECT_EQ(HotkeyCombination::decode(bytes(GetParam().text)), std::nullopt);
}

std::string withKeyCode(const char* keyCode) {
    return std::string(R"({"modifiers":0,"displayKey":"a","keyEquivalent":"a","keyCode":)") +
           keyCode + "}";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, HotkeyCombinationMalformedTests, ::testing::Values(
    MalformedRow{"missingKeyEquivalent", R"({"keyCode":123,"modifiers":4096,"displayKey":"←"})"},
    MalformedRow{"negativeKeyCode", withKeyCode("-1")},
    MalformedRow{"keyCodeBeyond32Bits", withKeyCode("4294967296")},
    MalformedRow{"keyCodeBeyond64Bits", withKeyCode("18446744073709551616")},
    MalformedRow{"keyCodeBeyondDouble", withKeyCode("1e400")},
    MalformedRow{"keyCodeBelowDouble", withKeyCode("-1e400")},
    MalformedRow{"fractionalModifiers", R"({"keyCode":1,"modifiers":1.5,"displayKey":"a","keyEquivalent":"a"})"},
    MalformedRow{"displayKeyNotAString", R"({"keyCode":1,"modifiers":0,"displayKey":7,"keyEquivalent":"a"})"},
    MalformedRow{"array", R"([124, 6400, "→", ""])"},
    MalformedRow{"notJson", "{keyCode:"},
    MalformedRow{"nested5000Deep", std::string(5000, '[') + std::string(5000, ']')},
    MalformedRow{"invalidUtf8", "{\"keyCode\":1,\"modifiers\":0,\"displayKey\":\"\xff\",\"keyEquivalent\":\"a\"}"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

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

} // namespace
} // namespace tessarin
