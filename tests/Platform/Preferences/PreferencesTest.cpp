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

TEST_F(PreferencesTest, OwnDomainIsTheSameStoreAsTheUserDefaults) {
    preferences.setAppValue("gridColumnCount", PropertyValue(4), kBundleIdentifier);
    EXPECT_EQ(own.integerValue("gridColumnCount"), 4);
    own.set("gridModeEnabled", true);
    EXPECT_EQ(preferences.copyAppValue("gridModeEnabled", kBundleIdentifier), PropertyValue(true));
    EXPECT_EQ(&preferences.domain(kBundleIdentifier), &own);
}

TEST_F(PreferencesTest, AbsentValueRemovesTheKey) {
    preferences.setAppValue("k", PropertyValue("v"), "com.apple.dock");
    preferences.setAppValue("k", std::nullopt, "com.apple.dock");
    EXPECT_FALSE(preferences.copyAppValue("k", "com.apple.dock"));
}

TEST_F(PreferencesTest, OtherDomainsAreSeparateFromEachOtherAndFromTheOwnDomain) {
    preferences.setAppValue("mru-spaces", PropertyValue(false), "com.apple.dock");
    EXPECT_FALSE(preferences.copyAppValue("mru-spaces", "com.apple.spaces"));
    EXPECT_FALSE(own.contains("mru-spaces"));
}

TEST_F(PreferencesTest, ReadingAnUnknownDomainCreatesNothing) {
    EXPECT_FALSE(preferences.copyAppValue("k", "com.example.none"));
    EXPECT_FALSE(preferences.hasDomain("com.example.none"));
    EXPECT_TRUE(preferences.appSynchronize("com.example.none"));
}

TEST_F(PreferencesTest, ScenarioJsonFillsADomainWithTypedValues) {
    auto json = nlohmann::json::parse(R"({
        "mru-spaces": false,
        "showMissionControlGestureEnabled": true,
        "TrackpadThreeFingerHorizSwipeGesture": 2,
        "AppleSymbolicHotKeys": {
            "118": {"enabled": true,
                    "value": {"parameters": [65535, 18, 262144], "type": "standard"}}
        }
    })");
    ASSERT_EQ(preferences.loadDomainFromJson("com.apple.dock", json), std::nullopt);
    EXPECT_EQ(preferences.copyAppValue("mru-spaces", "com.apple.dock"), PropertyValue(false));
    EXPECT_EQ(
        preferences.domain("com.apple.dock").integerValue("TrackpadThreeFingerHorizSwipeGesture"),
        2);
    auto hotKeys = preferences.copyAppValue("AppleSymbolicHotKeys", "com.apple.dock");
    ASSERT_TRUE(hotKeys);
    const auto* parameters = hotKeys->member("118")->member("value")->member("parameters");
    ASSERT_NE(parameters, nullptr);
    EXPECT_EQ(*parameters, PropertyValue(PropertyArray{65535, 18, 262144}));
}

TEST_F(PreferencesTest, LoadingReplacesTheWholeDomain) {
    preferences.setAppValue("old", PropertyValue(1), "com.apple.spaces");
    ASSERT_EQ(
        preferences.loadDomainFromJson("com.apple.spaces", nlohmann::json::parse(R"({"new": 1})")),
        std::nullopt);
    EXPECT_EQ(preferences.domain("com.apple.spaces").keys(), (std::vector<std::string>{"new"}));
}

struct BadDomainCase {
    const char* name;
    const char* domain;
    const char* json;
    const char* expectedError;
};

TEST_F(PreferencesTest, BadScenarioDataIsRefusedClearlyAndChangesNothing) {
    const std::vector<BadDomainCase> cases = {
        {"not an object", "com.apple.dock", "[1]",
         "preference domain \"com.apple.dock\": expected a JSON object of keys and values, "
         "found array"},
        {"null value", "com.apple.dock", R"({"mru-spaces": null})",
         "preference domain \"com.apple.dock\", key \"mru-spaces\": null is not a preference "
         "value"},
        {"nested null", "com.apple.symbolichotkeys",
         R"({"AppleSymbolicHotKeys": {"32": {"enabled": null}}})",
         "preference domain \"com.apple.symbolichotkeys\", key \"AppleSymbolicHotKeys\": "
         "[\"32\"][\"enabled\"]: null is not a preference value"},
        {"empty name", "", "{}", "preference domain name is empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.domain) {
            preferences.setAppValue("before", PropertyValue(1), c.domain);
        }
        auto error = preferences.loadDomainFromJson(c.domain, nlohmann::json::parse(c.json));
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, c.expectedError);
        if (*c.domain) {
            EXPECT_EQ(preferences.domain(c.domain).keys(), (std::vector<std::string>{"before"}));
        }
    }
}

TEST_F(PreferencesTest, OwnDomainObserversHearWritesMadeThroughPreferences) {
    std::vector<std::string> heard;
    own.addObserver([&](const std::string& key) { heard.push_back(key); });
    preferences.setAppValue("showOSDSpacePickerOnAllScreens", PropertyValue(true),
                            kBundleIdentifier);
    EXPECT_TRUE(preferences.appSynchronize(kBundleIdentifier));
    EXPECT_EQ(heard, (std::vector<std::string>{"showOSDSpacePickerOnAllScreens"}));
}

} // namespace
} // namespace tessarin
