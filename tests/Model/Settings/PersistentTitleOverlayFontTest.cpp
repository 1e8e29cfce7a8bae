#include "Model/Settings/PersistentTitleOverlayFont.h"

#include "Model/Settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Font = PersistentTitleOverlayFont;

TEST(PersistentTitleOverlayFont, NormalisesFamilyAndClampsSize) {
    EXPECT_EQ(Font("  SYSTEM \n", 18).family, "system");
    EXPECT_EQ(Font("   ", 18).family, "system");
    EXPECT_EQ(Font(" Helvetica Neue ", 18).family, "Helvetica Neue") << "other names are trimmed";
    EXPECT_EQ(Font("system", 120).pointSize, 96);
}

TEST(PersistentTitleOverlayFont, ReadsTheSizeTheWayThePlatformReadsIntegers) {
    using Value = std::optional<PropertyValue>;
    const struct {
        const char* name;
        Value size, legacy;
        std::int64_t expected;
    } cases[] = {
        {"nothing", {}, {}, 18},           {"too large", 120, {}, 96},
        {"too small", 4, {}, 10},          {"double", 20.9, {}, 20},
        {"numeric text", "30", {}, 30},    {"unreadable text", "big", "large", 10},
        {"Boolean", true, {}, 10},         {"legacy large", {}, "large", 24},
        {"legacy small", {}, "small", 12}, {"legacy medium", {}, "medium", 18},
        {"legacy other", {}, "huge", 18},  {"legacy not text", {}, 24, 18},
        {"new key wins", 40, "small", 40},
    };
    for (const auto& c : cases) {
        const auto defaults = testing::storeWith(
            {{"persistentTitleOverlayFontSize", c.size}, {"persistentTitleOverlaySize", c.legacy}});
        EXPECT_EQ(Font::persistedPointSize(*defaults), c.expected) << c.name;
    }
}

TEST(PersistentTitleOverlayFont, AvailableFamiliesStartWithSystemSortedWithoutDuplicates) {
    const auto families = Font::availableFamilies(
        {" Zapfino", "menlo", "System", "", "Arial", "Menlo", "menlo", "Courier 10", "Courier 9"});
    EXPECT_EQ(families, (std::vector<std::string>{"system", "Arial", "Courier 9", "Courier 10",
                                                  "menlo", "Menlo", "Zapfino"}));
    EXPECT_EQ(Font::availableFamilies(std::vector<std::string>{}),
              std::vector<std::string>{"system"});
}

} // namespace
} // namespace tessarin
