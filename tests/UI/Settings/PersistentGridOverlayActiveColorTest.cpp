#include "UI/Settings/PersistentGridOverlayActiveColor.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using ActiveColor = PersistentGridOverlayActiveColor;

struct NormalizeCase {
    const char* name;
    const char* text;
    std::optional<std::string> expected;
};

class ActiveColorNormalizeTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(ActiveColorNormalizeTest, NormalisesHexText) {
    const auto& c = GetParam();
    EXPECT_EQ(ActiveColor::normalizedRawValue(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ActiveColorNormalizeTest,
                         ::testing::Values(NormalizeCase{"hashSixLower", "#12abef", "12ABEFFF"},
                                           NormalizeCase{"sixDigits", "12abef", "12ABEFFF"},
                                           NormalizeCase{"eightLowerSpaced", "  0a84ff80\n",
                                                         "0A84FF80"},
                                           NormalizeCase{"twoHashes", "##12abef", std::nullopt},
                                           NormalizeCase{"sevenDigits", "12abefa", std::nullopt},
                                           NormalizeCase{"nineDigits", "12abefaa0", std::nullopt},
                                           NormalizeCase{"notHex", "GG0000FF", std::nullopt},
                                           NormalizeCase{"empty", "", std::nullopt},
                                           NormalizeCase{"innerSpace", "12 ABEFFF", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HighlightCase {
    const char* text;
    bool expected;
};

class ActiveColorHighlightTest : public ::testing::TestWithParam<HighlightCase> {};

TEST_P(ActiveColorHighlightTest, RecognisesTheSystemColourLoosely) {
    EXPECT_EQ(ActiveColor::isSystemHighlightRawValue(GetParam().text), GetParam().expected)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ActiveColorHighlightTest,
                         ::testing::Values(HighlightCase{"systemHighlight", true},
                                           HighlightCase{"System-Highlight", true},
                                           HighlightCase{"  SYSTEM_highlight \n", true},
                                           HighlightCase{"systemHighlights", false},
                                           HighlightCase{"highlight", false},
                                           HighlightCase{"1285FFFF", false}));

TEST(PersistentGridOverlayActiveColor, FromRawValueNormalisesOrRefuses) {
    EXPECT_EQ(ActiveColor::fromRawValue("system highlight"), ActiveColor{"systemHighlight"});
    EXPECT_EQ(ActiveColor::fromRawValue("#ff0000"), ActiveColor{"FF0000FF"});
    EXPECT_EQ(ActiveColor::fromRawValue("red"), std::nullopt);
}

TEST(PersistentGridOverlayActiveColor, FormatsColoursAsRGBAHex) {
    EXPECT_EQ(ActiveColor::rawValueForColor(QColor::fromRgbF(1, 0, 0, 1)), "FF0000FF");
    EXPECT_EQ(ActiveColor::rawValueForColor(QColor(0x0A, 0x84, 0xFF, 0x40)), "0A84FF40");
    EXPECT_EQ(ActiveColor::rawValueForColor(QColor::fromHsvF(0, 0, 1, 0.5)), "FFFFFF80")
        << "other colour models are converted, halves round away from zero";
    EXPECT_EQ(ActiveColor::rawValueForColor(QColor()), std::nullopt);
}

TEST(PersistentGridOverlayActiveColor, ColourOfTheRawValueOrTheFallback) {
    EXPECT_EQ(ActiveColor::colorForRawValue("1285FF80"), QColor(0x12, 0x85, 0xFF, 0x80));
    EXPECT_EQ(ActiveColor::colorForRawValue("nope"), std::nullopt);
    EXPECT_EQ(ActiveColor{"garbage"}.color(), QColor(0x12, 0x85, 0xFF, 0xFF));
    EXPECT_EQ(ActiveColor{"00FF0080"}.color(), QColor(0, 0xFF, 0, 0x80));
    EXPECT_TRUE(ActiveColor{"systemHighlight"}.color().isValid());
}

struct PersistedCase {
    const char* name;
    std::optional<PropertyValue> stored;
    const char* expected;
};

class ActiveColorPersistedTest : public ::testing::TestWithParam<PersistedCase> {};

TEST_P(ActiveColorPersistedTest, ReadsTheGlobalColour) {
    const auto& c = GetParam();
    UserDefaults defaults;
    if (c.stored)
        defaults.set("persistentGridOverlayActiveColor", *c.stored);
    EXPECT_EQ(ActiveColor::persisted(defaults), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ActiveColorPersistedTest,
                         ::testing::Values(PersistedCase{"missing", std::nullopt, "1285FFFF"},
                                           PersistedCase{"spacedHighlight", "system highlight",
                                                         "systemHighlight"},
                                           PersistedCase{"hex", "#abcdef", "ABCDEFFF"},
                                           PersistedCase{"colourName", "purple", "1285FFFF"},
                                           PersistedCase{"number", 0x1285FFFF, "1285FFFF"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
