#include "UI/Settings/OSDAppFilterSetting.h"

#include <gtest/gtest.h>
#include <ostream>

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

struct SummaryCase {
    std::vector<std::string> stored;
    const char* expected;
};

void PrintTo(const SummaryCase& value, std::ostream* out) {
    *out << value.stored.size() << " stored";
}

class OSDAppFilterSummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(OSDAppFilterSummaryTest, CountsTheNormalisedNames) {
    UserDefaults defaults;
    if (!GetParam().stored.empty())
        defaults.set("osdAppFilterNames",
                     PropertyArray(GetParam().stored.begin(), GetParam().stored.end()));
    EXPECT_EQ(Setting::summary(defaults), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OSDAppFilterSummaryTest,
    ::testing::Values(SummaryCase{{}, "No apps or windows filtered."},
                      SummaryCase{{"  ", ""}, "No apps or windows filtered."},
                      SummaryCase{{"Safari"}, "1 app or window name filtered."},
                      SummaryCase{{"Safari", "SAFARI"}, "1 app or window name filtered."},
                      SummaryCase{{"Safari", "Notes", "Mail"}, "3 app or window names filtered."}));

} // namespace
} // namespace tessarin
