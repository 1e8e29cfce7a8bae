#include "Model/Settings/OSDAppFilterSetting.h"

#include "Model/Settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Setting = OSDAppFilterSetting;
using Names = std::vector<std::string>;

TEST(OSDAppFilter, MatchesCollapsedLowerCasedSubstrings) {
    const OSDAppFilter filter({"Safari", "Mail Drafts"});
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {std::nullopt, false}, {" \t\n ", false},
        {"Safari", true},      {"Safari Technology Preview", true},
        {"SAFARI", true},      {"  Mail   \t Drafts ", true},
        {"Mail", false}, // a filter's words match only together
        {"Finder", false},
    };
    for (const auto& [candidate, matches] : cases) {
        EXPECT_EQ(filter.matchesCandidate(candidate), matches) << candidate.value_or("(none)");
    }
    EXPECT_TRUE(OSDAppFilter().isEmpty());
    EXPECT_FALSE(OSDAppFilter({"Safari"}).isEmpty());
    EXPECT_FALSE(OSDAppFilter().matchesCandidate(std::string("Safari")));
}

TEST(OSDAppFilterSetting, PersistStoresNormalisedNamesOrRemovesTheKey) {
    UserDefaults defaults;
    Setting::persist({"  Safari ", "", "Mail   Drafts", "   ", "SAFARI", "mail drafts"}, defaults);
    EXPECT_EQ(defaults.object("osdAppFilterNames"),
              PropertyValue(PropertyArray{"Safari", "Mail Drafts"}))
        << "collapsed, trimmed, without duplicates ignoring case";
    Setting::persist({"  ", ""}, defaults);
    EXPECT_FALSE(defaults.contains("osdAppFilterNames"));
}

TEST(OSDAppFilterSetting, PersistingTheSameNamesWritesNothing) {
    UserDefaults defaults;
    Setting::persist({"Safari"}, defaults);
    int writes = 0;
    const auto token = defaults.addObserver([&](const std::string&) { ++writes; });
    Setting::persist({" Safari  "}, defaults);
    Setting::persist({"Safari", "SAFARI"}, defaults);
    EXPECT_EQ(writes, 0);
    Setting::persist({"safari"}, defaults);
    defaults.removeObserver(token);
    EXPECT_EQ(writes, 1) << "another spelling is a change";
}

TEST(OSDAppFilterSetting, StoredNamesOfTheWrongTypeAreSkippedNotFatal) {
    const auto defaults =
        testing::storeWith({{"osdAppFilterNames", PropertyArray{"Safari", 3, " Notes "}}});
    EXPECT_EQ(Setting::persistedEntries(*defaults), (Names{"Safari", "Notes"}));
    EXPECT_EQ(Setting::persisted(*defaults), OSDAppFilter({"Safari", "Notes"}));
    defaults->set("osdAppFilterNames", "Safari");
    EXPECT_EQ(Setting::persistedEntries(*defaults), Names{});
}

TEST(OSDAppFilterSetting, SummaryCountsTheNormalisedNames) {
    const auto summaryOf = [](std::optional<PropertyValue> names) {
        return Setting::summary(*testing::storeWith({{"osdAppFilterNames", std::move(names)}}));
    };
    EXPECT_EQ(summaryOf(PropertyArray{"  ", ""}), "No apps or windows filtered.");
    EXPECT_EQ(summaryOf(PropertyArray{"Safari", "SAFARI"}), "1 app or window name filtered.");
    EXPECT_EQ(summaryOf(PropertyArray{"Safari", "Notes", "Mail"}),
              "3 app or window names filtered.");
}

} // namespace
} // namespace tessarin
