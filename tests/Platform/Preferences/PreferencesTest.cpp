#include "Platform/Preferences/Preferences.h"

#include "Support/BundleIdentifier.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessarin {
namespace {

class PreferencesTest : public ::testing::Test {
protected:
    UserDefaults own;
    Preferences preferences{own};
};

TEST_F(PreferencesTest, OwnDomainIsTheUserDefaultsAndOtherDomainsAreSeparate) {
    std::vector<std::string> heard;
    own.addObserver([&](const std::string& key) { heard.push_back(key); });
    preferences.setAppValue("gridColumnCount", PropertyValue(4), kBundleIdentifier);
    EXPECT_EQ(own.integerValue("gridColumnCount"), 4);
    EXPECT_EQ(heard, std::vector<std::string>{"gridColumnCount"});
    preferences.setAppValue("mru-spaces", PropertyValue(false), "com.apple.dock");
    EXPECT_FALSE(preferences.copyAppValue("mru-spaces", "com.apple.spaces"));
    EXPECT_FALSE(own.contains("mru-spaces"));
    preferences.setAppValue("mru-spaces", std::nullopt, "com.apple.dock");
    EXPECT_FALSE(preferences.copyAppValue("mru-spaces", "com.apple.dock"));
    EXPECT_FALSE(preferences.copyAppValue("k", "com.example.none"));
    EXPECT_FALSE(preferences.hasDomain("com.example.none"));
}

TEST_F(PreferencesTest, ScenarioJsonReplacesADomainWithTypedValues) {
    preferences.setAppValue("old", PropertyValue(1), "com.apple.dock");
    auto json = nlohmann::json::parse(R"({
        "mru-spaces": false,
        "TrackpadThreeFingerHorizSwipeGesture": 2,
        "AppleSymbolicHotKeys": {"118": {"enabled": true, "value": {"parameters": [65535, 18]}}}
    })");
    ASSERT_EQ(preferences.loadDomainFromJson("com.apple.dock", json), std::nullopt);
    EXPECT_FALSE(preferences.copyAppValue("old", "com.apple.dock"));
    EXPECT_EQ(preferences.copyAppValue("mru-spaces", "com.apple.dock"), PropertyValue(false));
    EXPECT_EQ(preferences.copyAppValue("TrackpadThreeFingerHorizSwipeGesture", "com.apple.dock"),
              PropertyValue(2));
    const PropertyDictionary value{{"parameters", PropertyArray{65535, 18}}};
    EXPECT_EQ(preferences.copyAppValue("AppleSymbolicHotKeys", "com.apple.dock"),
              PropertyValue(PropertyDictionary{
                  {"118", PropertyDictionary{{"enabled", true}, {"value", value}}}}));
}

TEST_F(PreferencesTest, BadScenarioDataIsRefusedClearlyAndChangesNothing) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"com.apple.dock", "[1]",
         "preference domain \"com.apple.dock\": expected a JSON object of keys and values, "
         "found array"},
        {"com.apple.symbolichotkeys", R"({"AppleSymbolicHotKeys": {"32": {"enabled": null}}})",
         "preference domain \"com.apple.symbolichotkeys\", key \"AppleSymbolicHotKeys\": "
         "[\"32\"][\"enabled\"]: null is not a preference value"},
        {"", "{}", "preference domain name is empty"},
    };
    for (const auto& [domain, json, expected] : cases) {
        SCOPED_TRACE(expected);
        if (*domain) {
            preferences.setAppValue("before", PropertyValue(1), domain);
        }
        const auto error = preferences.loadDomainFromJson(domain, nlohmann::json::parse(json));
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, expected);
        if (*domain) {
            EXPECT_EQ(preferences.domain(domain).keys(), (std::vector<std::string>{"before"}));
        }
    }
}

} // namespace
} // namespace tessarin
