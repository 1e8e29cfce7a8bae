#include "Core/Settings/DisplaySettingsScope.h"
#include "Core/Settings/GridColumnCount.h"
#include "Core/Settings/GridWrapStyle.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(GridColumnCount, RawValuesAreColumnsMinusTwo) {
    EXPECT_EQ(rawValue(GridColumnCount::two), 0);
    EXPECT_EQ(columns(GridColumnCount::four), 4);
    EXPECT_EQ(fromRawValue<GridColumnCount>(1), GridColumnCount::three);
    EXPECT_EQ(fromRawValue<GridColumnCount>(3), std::nullopt);
    EXPECT_EQ(fromRawValue<GridColumnCount>(-1), std::nullopt);
    EXPECT_EQ(gridColumnCountWithColumns(2), GridColumnCount::two);
    EXPECT_EQ(gridColumnCountWithColumns(5), std::nullopt);
    EXPECT_EQ(allCases<GridColumnCount>().size(), 3u);
}

TEST(GridWrapStyle, RawValues) {
    EXPECT_EQ(rawValue(GridWrapStyle::snake), "snake");
    EXPECT_EQ(rawValue(GridWrapStyle::pacMan), "pacMan");
    EXPECT_EQ(fromRawValue<GridWrapStyle>("pacMan"), GridWrapStyle::pacMan);
    EXPECT_EQ(fromRawValue<GridWrapStyle>("pacman"), std::nullopt);
}

TEST(DisplaySettingsScope, GlobalOrOneDisplay) {
    EXPECT_TRUE(DisplaySettingsScope::global().isGlobal());
    EXPECT_FALSE(DisplaySettingsScope::display("X").isGlobal());
    EXPECT_EQ(DisplaySettingsScope::forDisplayIdentifier(std::nullopt),
              DisplaySettingsScope::global());
    EXPECT_EQ(DisplaySettingsScope::forDisplayIdentifier(std::string("X")),
              DisplaySettingsScope::display("X"));
}

} // namespace
} // namespace tessarin
