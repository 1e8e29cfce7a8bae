#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"

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

struct ShownKeyRow {
    const char* name;
    HotkeyCombination combination;
    const char* shown;
};

void PrintTo(const ShownKeyRow& row, std::ostream* out) {
    *out << row.name;
}

class ShownKey : public ::testing::TestWithParam<ShownKeyRow> {};

TEST_P(ShownKey, NamesTheKeyTheCombinationIsRegisteredOn) {
    EXPECT_EQ(GetParam().combination.shownKey(), GetParam().shown);
}

// Registration uses only the key code, so the shown text follows it; the stored text is kept.
INSTANTIATE_TEST_SUITE_P(
    Keys, ShownKey,
    ::testing::Values(ShownKeyRow{"lastSpaceDefaultIsTheKeypadPlus",
                                  defaultCombination(HotkeyIdentifier::lastSpace), "Keypad +"},
                      ShownKeyRow{"keypadPlusRecordedAsPlus", {69, 0x1900, "+", "+"}, "Keypad +"},
                      ShownKeyRow{"mainPlusKeyIsTheEqualsKey", {24, 0x1900, "=", "="}, "="},
                      ShownKeyRow{"keypadMinus", {78, 0x100, "-", "-"}, "Keypad -"},
                      ShownKeyRow{"keypadNine", {92, 0x100, "9", "9"}, "Keypad 9"},
                      ShownKeyRow{"returnStoredWithAnotherText", {36, 0x100, "X", "x"}, "\u21A9"},
                      ShownKeyRow{"keypadEnter", {76, 0x100, "\u2305", "\x03"}, "\u2305"},
                      ShownKeyRow{"space", {49, 0x1900, "Space", " "}, "Space"},
                      ShownKeyRow{"arrowStoredWithAnotherText", {123, 0x1900, "L", "l"}, "\u2190"},
                      ShownKeyRow{"downArrow", {125, 0x1900, "\u2193", "\uF701"}, "\u2193"},
                      ShownKeyRow{"letterStoredWithAnotherLetter", {0, 0x100, "Q", "q"}, "A"},
                      ShownKeyRow{"digit", {29, 0x100, "0", "0"}, "0"},
                      ShownKeyRow{"functionKey", {111, 0x100, "F12", "\uF70F"}, "F12"},
                      ShownKeyRow{"codeNoKeyHasKeepsItsText", {0x7F, 0x100, "?", "?"}, "?"},
                      ShownKeyRow{
                          "codeBeyondEveryKeyKeepsItsText", {0x10000, 0x100, "Z", "z"}, "Z"}),
    [](const ::testing::TestParamInfo<ShownKeyRow>& info) { return std::string(info.param.name); });

TEST(HotkeyCombinationTests, TheLastSpaceDefaultStaysStoredOnTheKeypadPlusWithItsText) {
    const HotkeyCombination lastSpace = defaultCombination(HotkeyIdentifier::lastSpace);
    EXPECT_EQ(lastSpace, (HotkeyCombination{69, 0x1900, "\u21A9", "-"}));
    EXPECT_EQ(lastSpace.displayString(), "\u2318\u2325\u2303Keypad +");
}

} // namespace
} // namespace tessarin
