#include "Hotkeys/HotkeyCombination.h"

#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

const HotkeyCombination kControlOptionCommandRight{124, 0x1900, "\u2192", "\uF703"};

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(HotkeyCombinationTests, EncodedDataKeepsAllFourFieldsUnderTheirStoredKeys) {
    for (const HotkeyCombination& combination :
         {kControlOptionCommandRight, HotkeyCombination{0xFFFFFFFF, 0xFFFFFFFF, "", ""}}) {
        EXPECT_EQ(HotkeyCombination::decode(combination.encodedData()), combination);
    }
    const std::vector<uint8_t> data = kControlOptionCommandRight.encodedData();
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

std::string withKeyCode(const char* keyCode) {
    return std::string(R"({"modifiers":0,"displayKey":"a","keyEquivalent":"a","keyCode":)") +
           keyCode + "}";
}

TEST(HotkeyCombinationTests, UnreadableDataDecodesToNothing) {
    // clang-format off
    const std::pair<const char*, std::string> rows[] = {
        {"missingKeyEquivalent", R"({"keyCode":123,"modifiers":4096,"displayKey":"←"})"},
        {"negativeKeyCode", withKeyCode("-1")},
        {"keyCodeBeyond32Bits", withKeyCode("4294967296")},
        {"keyCodeBeyond64Bits", withKeyCode("18446744073709551616")},
        {"keyCodeBeyondDouble", withKeyCode("1e400")},
        {"keyCodeBelowDouble", withKeyCode("-1e400")},
        {"fractionalModifiers", R"({"keyCode":1,"modifiers":1.5,"displayKey":"a","keyEquivalent":"a"})"},
        {"displayKeyNotAString", R"({"keyCode":1,"modifiers":0,"displayKey":7,"keyEquivalent":"a"})"},
        {"array", R"([124, 6400, "→", ""])"},
        {"notJson", "{keyCode:"},
        {"nested5000Deep", std::string(5000, '[') + std::string(5000, ']')},
        {"invalidUtf8", "{\"keyCode\":1,\"modifiers\":0,\"displayKey\":\"\xff\",\"keyEquivalent\":\"a\"}"}};
    // clang-format on
    for (const auto& [name, text] : rows) {
        EXPECT_EQ(HotkeyCombination::decode(bytes(text)), std::nullopt) << name;
    }
}

TEST(HotkeyCombinationTests, EncodingInvalidTextDoesNotFail) {
    const HotkeyCombination combination{1, 0, std::string("\xff"), "a"};
    const auto decoded = HotkeyCombination::decode(combination.encodedData());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->keyCode, 1u);
}

TEST(HotkeyCombinationTests, DisplayIsGlyphsInCommandOptionControlShiftOrderThenKey) {
    EXPECT_EQ(HotkeyCombination::symbols(0x1B00), "\u2318\u2325\u2303\u21E7");
    EXPECT_EQ(HotkeyCombination::symbols(0x1 | 0x80 | 0x4000), "");
    EXPECT_EQ(kControlOptionCommandRight.displayString(), "\u2318\u2325\u2303\u2192");
    EXPECT_EQ((HotkeyCombination{0, 0x300, "A", "a"}).displayString(), "\u2318\u21E7A");
}

} // namespace
} // namespace tessarin
