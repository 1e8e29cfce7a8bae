#include "Model/Settings/PersistentGridOverlayActiveColor.h"

#include "Model/Settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using ActiveColor = PersistentGridOverlayActiveColor;
using Raw = std::optional<std::string>;

TEST(PersistentGridOverlayActiveColor, NormalisesHexText) {
    const std::pair<const char*, Raw> cases[] = {
        {"#12abef", "12ABEFFF"},
        {"12abef", "12ABEFFF"},
        {"  0a84ff80\n", "0A84FF80"},
        {"##12abef", {}},
        {"12abefa", {}},
        {"12abefaa0", {}},
        {"GG0000FF", {}},
        {"", {}},
        {"12 ABEFFF", {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ActiveColor::normalizedRawValue(text), expected) << text;
    }
}

TEST(PersistentGridOverlayActiveColor, RecognisesTheSystemColourLoosely) {
    for (const char* text : {"systemHighlight", "System-Highlight", "  SYSTEM_highlight \n"}) {
        EXPECT_TRUE(ActiveColor::isSystemHighlightRawValue(text)) << text;
    }
    for (const char* text : {"systemHighlights", "highlight", "1285FFFF"}) {
        EXPECT_FALSE(ActiveColor::isSystemHighlightRawValue(text)) << text;
    }
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
    EXPECT_TRUE(ActiveColor{"systemHighlight"}.color().isValid());
}

TEST(PersistentGridOverlayActiveColor, ReadsTheGlobalColour) {
    testing::expectReads<std::string>("persistentGridOverlayActiveColor", ActiveColor::persisted,
                                      {{{}, "1285FFFF"},
                                       {"system highlight", "systemHighlight"},
                                       {"#abcdef", "ABCDEFFF"},
                                       {"purple", "1285FFFF"},
                                       {0x1285FFFF, "1285FFFF"}});
}

} // namespace
} // namespace tessarin
