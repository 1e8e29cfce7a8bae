#include "Support/Environment.h"
#include "Support/Executor.h"
#include "Support/Geometry.h"
#include "Support/Json.h"
#include "Support/Logger.h"
#include "Support/Text.h"
#include "Support/Uuid.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct SwitchCase {
    const char* name;
    std::optional<std::string> value;
    bool on;
    bool exactlyOne;
};

TEST(EnvironmentSwitch, TrimsAndLowerCasesAndAcceptsFourWords) {
    const SwitchCase cases[] = {
        {"absent", std::nullopt, false, false},
        {"one", "1", true, true},
        {"padded one", " 1\n", true, false},
        {"Yes", " Yes ", true, false},
        {"empty", "", false, false},
        {"enabled", "enabled", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isSwitchValueOn(c.value), c.on) << c.name;
        EXPECT_EQ(isSwitchValueExactlyOne(c.value), c.exactlyOne) << c.name;
    }
}

TEST(Text, TrimsUnicodeWhiteSpaceAndLineBreaks) {
    EXPECT_EQ(trimmingWhitespaceAndNewlines("\u00a0\u3000 Desk\n"), "Desk");
    EXPECT_EQ(trimmingWhitespace(" Desk\n "), "Desk\n");
    EXPECT_EQ(collapsingWhitespace("  Visual \t\n Studio\u2003Code "), "Visual Studio Code");
    EXPECT_EQ(lowercased("ÉCRAN Ünd"), "écran ünd");
    EXPECT_TRUE(isBlank(" \n\t"));
}

TEST(Text, EscapesEveryByteOfNoPrintableCharacter) {
    const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
        {"printable kept", {"a \u00e9\u20ac\U0001F600", "a \u00e9\u20ac\U0001F600"}},
        {"controls", {"a\n\t\x7f", "a\\x0A\\x09\\x7F"}},
        {"C1 control", {"\xc2\x85", "\\xC2\\x85"}},
        {"stray bytes", {"\xff\x80", "\\xFF\\x80"}},
        {"overlong", {"\xc0\xaf", "\\xC0\\xAF"}},
        {"surrogate", {"\xed\xa0\x80", "\\xED\\xA0\\x80"}},
        {"past the last code point", {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"}},
        {"cut short at the end", {"x\xe2\x82", "x\\xE2\\x82"}},
    };
    for (const auto& [name, texts] : cases) {
        EXPECT_EQ(escapingUnprintable(texts.first), texts.second) << name;
    }
}

TEST(Uuid, RoundTripsUpperCaseText) {
    const auto uuid = Uuid::fromString(" 37d8832a-2d66-02ca-b9f7-8f30a301b230 ");
    ASSERT_TRUE(uuid);
    EXPECT_EQ(uuid->uuidString(), "37D8832A-2D66-02CA-B9F7-8F30A301B230");
    EXPECT_FALSE(Uuid::fromString("37D8832A2D6602CAB9F78F30A301B230"));
    EXPECT_FALSE(Uuid::fromString("37D8832A-2D66-02CA-B9F7-8F30A301B23G"));
    EXPECT_NE(Uuid::random(), Uuid::random());
    const auto nil = Uuid::fromString("00000000-0000-0000-0000-000000000000");
    ASSERT_TRUE(nil) << "the nil UUID is a UUID, not a parse failure";
    EXPECT_TRUE(nil->isNil());
}

TEST(Geometry, FlipsBetweenYUpAndYDown) {
    const Rect r{10, 20, 100, 50};
    EXPECT_EQ(flippedRect(r, 1000), (Rect{10, 930, 100, 50}));
    EXPECT_FALSE(r.contains({110, 20}));
    EXPECT_EQ(r.insetBy(60, 0).width(), 0);
    EXPECT_EQ(r.intersection({50, 0, 100, 40}), (Rect{50, 20, 60, 20}));
}

TEST(Json, ParseErrorsAreValuesThatNameTheFile) {
    const auto missing = readJsonFile("/nonexistent/scenario.json");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error.find("/nonexistent/scenario.json"), std::string::npos);
    const Json object = Json::parse(R"({"n": 3, "s": "x", "d": 1.5})");
    EXPECT_EQ(jsonInteger(object, "n"), 3);
    EXPECT_EQ(jsonNumber(object, "d"), 1.5);
}

TEST(Logger, SinkReceivesWholeLinesWithCategory) {
    ScopedLogCapture capture;
    Logger("SpaceSwitch").info("switch.verified result=confirmed");
    ASSERT_EQ(capture.records().size(), 1u);
    EXPECT_EQ(capture.records()[0].subsystem, kBundleIdentifier);
    EXPECT_EQ(capture.messages("SpaceSwitch"),
              std::vector<std::string>{"switch.verified result=confirmed"});
    EXPECT_EQ(formatMilliseconds(12.345), "12.35");
    EXPECT_EQ(formatSecondsAsMilliseconds(1.1), "1100.00");
}

TEST(ManualExecutor, ReleasesJobsInAnyOrder) {
    ManualExecutor executor;
    std::string order;
    executor.execute([&] { order += "a"; });
    executor.execute([&] { order += "b"; });
    executor.execute([&] { order += "c"; });
    EXPECT_TRUE(executor.runJob(2));
    EXPECT_FALSE(executor.runJob(5));
    executor.runAll();
    EXPECT_EQ(order, "cab");
}

} // namespace
} // namespace tessarin
