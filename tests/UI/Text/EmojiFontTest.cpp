#include "UI/Text/EmojiFont.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct SequenceCase {
    const char* name;
    const char* text;
    std::vector<std::pair<int, int>> expected;
};

// CTest names each row by this, not by a dump of its bytes.
void PrintTo(const SequenceCase& c, std::ostream* out) {
    *out << c.name;
}

class EmojiSequencesTest : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(EmojiSequencesTest, FindsEachSequenceWhole) {
    EXPECT_EQ(EmojiFont::sequences(QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EmojiSequencesTest,
    ::testing::Values(SequenceCase{"plain", "based on\n", {}},
                      SequenceCase{"lone_male_sign", "\u2642\uFE0F", {}},
                      SequenceCase{"man_bowing", "on \U0001F647\u200D\u2642\uFE0F\n", {{3, 5}}},
                      SequenceCase{"skin_tone", "\U0001F44D\U0001F3FD!", {{0, 4}}},
                      SequenceCase{"two", "\U0001F600 a \U0001F601", {{0, 2}, {5, 2}}},
                      SequenceCase{"joiner_at_end", "\U0001F647\u200D", {{0, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
