#include "UI/Settings/OSDAppFilter.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct MatchCase {
    const char* name;
    std::optional<std::string> candidate;
    bool expected;
};

class OSDAppFilterMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(OSDAppFilterMatchTest, MatchesCollapsedLowerCasedSubstrings) {
    const OSDAppFilter filter({"Safari", "Mail Drafts"});
    EXPECT_EQ(filter.matchesCandidate(GetParam().candidate), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OSDAppFilterMatchTest,
    ::testing::Values(MatchCase{"absent", std::nullopt, false},
                      MatchCase{"blank", std::string(" \t\n "), false},
                      MatchCase{"exact", std::string("Safari"), true},
                      MatchCase{"substring", std::string("Safari Technology Preview"), true},
                      MatchCase{"caseInsensitive", std::string("SAFARI"), true},
                      MatchCase{"collapsedSpaces", std::string("  Mail   \t Drafts "), true},
                      MatchCase{"splitWordsDoNotMatch", std::string("Mail"), false},
                      MatchCase{"unrelated", std::string("Finder"), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OSDAppFilter, EmptyFilterMatchesNothing) {
    EXPECT_TRUE(OSDAppFilter().isEmpty());
    EXPECT_FALSE(OSDAppFilter({"Safari"}).isEmpty());
    EXPECT_FALSE(OSDAppFilter().matchesCandidate(std::string("Safari")));
}

} // namespace
} // namespace tessarin
