#include "UI/Settings/OSDAppFilterSetting.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Setting = OSDAppFilterSetting;
using Names = std::vector<std::string>;

TEST(OSDAppFilterSetting, NormalisedEntriesCollapseTrimAndDropDuplicatesIgnoringCase) {
    EXPECT_EQ(Setting::normalizedEntries(
                  {"  Safari ", "", "Mail   Drafts", "   ", "SAFARI", "mail drafts", "Notes"}),
              (Names{"Safari", "Mail Drafts", "Notes"}));
    EXPECT_EQ(Setting::normalizedEntries({}), Names{});
}

TEST(OSDAppFilterSetting, PersistStoresNormalisedNamesOrRemovesTheKey) {
    UserDefaults defaults;
    Setting::persist({" Safari", "safari", "Notes "}, defaults);
    EXPECT_EQ(defaults.object("osdAppFilterNames"),
              PropertyValue(PropertyArray{"Safari", "Notes"}));
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
    UserDefaults defaults;
    defaults.set("osdAppFilterNames", PropertyArray{"Safari", 3, true, " Notes "});
    EXPECT_EQ(Setting::persistedEntries(defaults), (Names{"Safari", "Notes"}));
    EXPECT_EQ(Setting::persisted(defaults), OSDAppFilter({"Safari", "Notes"}));
    defaults.set("osdAppFilterNames", "Safari");
    EXPECT_EQ(Setting::persistedEntries(defaults), Names{});
}

TEST(OSDAppFilterSetting, SummaryCountsTheNormalisedNames) {
    UserDefaults defaults;
    EXPECT_EQ(Setting::summary(defaults), "No apps or windows filtered.");
    const auto summaryOf = [&](PropertyArray names) {
        defaults.set("osdAppFilterNames", std::move(names));
        return Setting::summary(defaults);
    };
    EXPECT_EQ(summaryOf({"  ", ""}), "No apps or windows filtered.");
    EXPECT_EQ(summaryOf({"Safari", "SAFARI"}), "1 app or window name filtered.");
    EXPECT_EQ(summaryOf({"Safari", "Notes", "Mail"}), "3 app or window names filtered.");
}

} // namespace
} // namespace tessarin
