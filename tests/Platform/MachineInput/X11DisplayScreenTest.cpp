#include "Platform/MachineInput/X11DisplayScreen.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace tessarin {
namespace {

struct ScreenRow {
    const char* name;
    const char* displayName;
    std::optional<int> screen;
};

void PrintTo(const ScreenRow& row, std::ostream* out) {
    *out << row.name << " \"" << row.displayName << '"';
}

class DisplayNameScreen : public ::testing::TestWithParam<ScreenRow> {};

TEST_P(DisplayNameScreen, IsTheNumberWrittenOrNone) {
    EXPECT_EQ(x11DisplayScreen(GetParam().displayName), GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DisplayNameScreen,
    ::testing::Values(
        ScreenRow{"noScreen", ":0", 0}, ScreenRow{"screenZero", ":0.0", 0},
        ScreenRow{"screenOne", ":12.1", 1}, ScreenRow{"withHost", "remote:3.2", 2},
        ScreenRow{"ipv6Host", "[::1]:0.1", 1}, ScreenRow{"decnetHost", "node::0.4", 4},
        ScreenRow{"protocol", "unix/:7.0", 0}, ScreenRow{"largestInt", ":0.2147483647", 2147483647},
        ScreenRow{"pastInt", ":0.2147483648", std::nullopt},
        ScreenRow{"wrapsUnsignedLong", ":0.4294967296", std::nullopt},
        ScreenRow{"negative", ":0.-1", std::nullopt}, ScreenRow{"plusSign", ":0.+1", std::nullopt},
        ScreenRow{"leadingSpace", ":0. 1", std::nullopt},
        ScreenRow{"trailingText", ":0.1x", std::nullopt},
        ScreenRow{"secondDot", ":0.1.2", std::nullopt},
        ScreenRow{"emptyScreen", ":0.", std::nullopt},
        ScreenRow{"noColon", "display", std::nullopt}, ScreenRow{"empty", "", std::nullopt}),
    [](const ::testing::TestParamInfo<ScreenRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
