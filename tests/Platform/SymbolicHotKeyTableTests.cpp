#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessarin {
namespace {

class SymbolicHotKeyTableTest : public ::testing::Test {
protected:
    UserDefaults own;
    Preferences preferences{own};
    SymbolicHotKeyTable table{preferences};
};

TEST_F(SymbolicHotKeyTableTest, EntriesAreReadFromTheDomainAndOnlyArrowsHaveDefaults) {
    EXPECT_EQ(table.value(81), (SymbolicHotKeyValue{65535, 124, 0x840000}));
    EXPECT_TRUE(table.isEnabled(81));
    ASSERT_EQ(
        preferences.loadDomainFromJson(SymbolicHotKeyTable::kDomain, nlohmann::json::parse(R"({
        "AppleSymbolicHotKeys": {
        "118": {"enabled": true, "value": {"parameters": [65535, 18, 262144], "type": "standard"}},
        "119": {"enabled": 0, "value": {"parameters": [65535, 19, 262144], "type": "standard"}},
        "81": {"enabled": true, "value": {"parameters": [65535], "type": "standard"}},
        "32": "broken",
        "79": {"enabled": true, "value": {"parameters": [65535, -4, 262144]}}}})")),
        std::nullopt);
    const std::tuple<int, std::optional<SymbolicHotKeyValue>, bool> cases[] = {
        {118, SymbolicHotKeyValue{65535, 18, 262144}, true},
        {119, SymbolicHotKeyValue{65535, 19, 262144}, false}, // a number as the flag
        {81, std::nullopt, false},                            // too few parameters
        {32, std::nullopt, false},  // malformed: the built-in default does not stand in
        {79, std::nullopt, false},  // a negative key code
        {120, std::nullopt, false}, // absent, no default
    };
    for (const auto& [hotKey, value, enabled] : cases) {
        EXPECT_EQ(table.value(hotKey), value) << hotKey;
        EXPECT_EQ(table.isEnabled(hotKey), enabled) << hotKey;
    }
}

TEST_F(SymbolicHotKeyTableTest, EnablingWritesTheDomainAndKeepsTheValue) {
    table.set(118, {65535, 18, 0x40000}, false);
    EXPECT_EQ(table.setEnabled(118, true), 0);
    EXPECT_TRUE(table.isEnabled(118));
    EXPECT_EQ(table.value(118), (SymbolicHotKeyValue{65535, 18, 0x40000}));
    // A built-in shortcut gets an entry of its own when first changed.
    EXPECT_EQ(table.setEnabled(79, false), 0);
    EXPECT_FALSE(table.isEnabled(79));
    EXPECT_EQ(table.value(79), (SymbolicHotKeyValue{65535, 123, 0x840000}));
    EXPECT_TRUE(table.isEnabled(118)); // other entries kept
    EXPECT_EQ(table.setEnabled(130, true), SymbolicHotKeyTable::kIllegalArgument);
    EXPECT_FALSE(table.isEnabled(130));
}

} // namespace
} // namespace tessarin
