#include "UI/Settings/PersistentTitleOverlayFont.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Font = PersistentTitleOverlayFont;

TEST(PersistentTitleOverlayFont, NormalisesFamilyAndClampsSize) {
    EXPECT_EQ(Font("  SYSTEM \n", 18).family, "system");
    EXPECT_EQ(Font("   ", 18).family, "system");
    EXPECT_EQ(Font(" Helvetica Neue ", 18).family, "Helvetica Neue");
    EXPECT_EQ(Font("menlo", 18).family, "menlo") << "other names are only trimmed";
    EXPECT_EQ(Font("system", 4).pointSize, 10);
    EXPECT_EQ(Font("system", 120).pointSize, 96);
    EXPECT_EQ(Font("system", 33).pointSize, 33);
    EXPECT_EQ(Font(), Font("system", 18));
}

struct SizeCase {
    const char* name;
    std::optional<PropertyValue> size;
    std::optional<PropertyValue> legacy;
    std::int64_t expected;
};

class PersistedPointSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PersistedPointSizeTest, ReadsTheSizeTheWayThePlatformReadsIntegers) {
    const auto& c = GetParam();
    UserDefaults defaults;
    if (c.size)
        defaults.set("persistentTitleOverlayFontSize", *c.size);
    if (c.legacy)
        defaults.set("persistentTitleOverlaySize", *c.legacy);
    EXPECT_EQ(Font::persistedPointSize(defaults), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, PersistedPointSizeTest,
                         ::testing::Values(SizeCase{"nothing", std::nullopt, std::nullopt, 18},
                                           SizeCase{"tooLarge", 120, std::nullopt, 96},
                                           SizeCase{"tooSmall", 4, std::nullopt, 10},
                                           SizeCase{"double", 20.9, std::nullopt, 20},
                                           SizeCase{"numericText", "30", std::nullopt, 30},
                                           SizeCase{"unreadableText", "big", "large", 10},
                                           SizeCase{"boolean", true, std::nullopt, 10},
                                           SizeCase{"legacyLarge", std::nullopt, "large", 24},
                                           SizeCase{"legacySmall", std::nullopt, "small", 12},
                                           SizeCase{"legacyMedium", std::nullopt, "medium", 18},
                                           SizeCase{"legacyOther", std::nullopt, "huge", 18},
                                           SizeCase{"legacyNotText", std::nullopt, 24, 18},
                                           SizeCase{"newKeyWins", 40, "small", 40}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PersistentTitleOverlayFont, AvailableFamiliesStartWithSystemSortedWithoutDuplicates) {
    const auto families = Font::availableFamilies(
        {" Zapfino", "menlo", "System", "", "Arial", "Menlo", "menlo", "Courier 10", "Courier 9"});
    EXPECT_EQ(families, (std::vector<std::string>{"system", "Arial", "Courier 9", "Courier 10",
                                                  "menlo", "Menlo", "Zapfino"}));
}

TEST(PersistentTitleOverlayFont, WithoutInstalledFamiliesOnlySystem) {
    EXPECT_EQ(Font::availableFamilies(std::vector<std::string>{}),
              std::vector<std::string>{"system"});
}

} // namespace
} // namespace tessarin
