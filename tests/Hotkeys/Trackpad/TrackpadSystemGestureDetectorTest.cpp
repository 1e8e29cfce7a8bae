#include "Hotkeys/Trackpad/TrackpadSystemGestureDetector.h"

#include "../HotkeyHostFixture.h"
#include "Platform/Preferences/Preferences.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>

namespace tessarin {
namespace {

using Detector = TrackpadSystemGestureDetector;
using Values = std::map<std::pair<std::string, std::string>, int64_t>;

struct DetectorCase {
    const char* name;
    Values values;
    TrackpadSystemGestureStatus expected;
};

TEST(TrackpadSystemGestureDetectorTest, ReadsBothTrackpadsBuiltInFirst) {
    const std::string builtIn = Detector::builtInDomain;
    const std::string bluetooth = Detector::bluetoothDomain;
    const std::string dock = Detector::dockDomain;
    const std::string threeHoriz = "TrackpadThreeFingerHorizSwipeGesture";
    const std::string tap = "TrackpadThreeFingerTapGesture";
    // clang-format off
    const DetectorCase cases[] = {
        {"nothing set", {}, {false, false, false, true, true}},
        {"four-finger horizontal on Bluetooth", {{{bluetooth, threeHoriz}, 1}, {{bluetooth, "TrackpadFourFingerHorizSwipeGesture"}, 2}}, {true, false, false, true, true}},
        {"built-in tap value wins", {{{builtIn, tap}, 0}, {{bluetooth, tap}, 2}}, {false, false, false, true, true}},
        {"vertical with Mission Control only", {{{builtIn, "TrackpadThreeFingerVertSwipeGesture"}, 2}, {{dock, "showMissionControlGestureEnabled"}, 1}}, {false, true, false, true, true}},
        {"drag on Bluetooth", {{{bluetooth, "TrackpadThreeFingerDrag"}, 1}}, {false, false, false, true, false}},
    };
    // clang-format on
    for (const DetectorCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto integer = [&c](const std::string& domain,
                            const std::string& key) -> std::optional<int64_t> {
            const auto found = c.values.find({domain, key});
            return found == c.values.end() ? std::nullopt : std::optional(found->second);
        };
        auto boolean = [&integer](const std::string& domain,
                                  const std::string& key) -> std::optional<bool> {
            const auto value = integer(domain, key);
            return value ? std::optional(*value != 0) : std::nullopt;
        };
        EXPECT_EQ(Detector::status(integer, boolean), c.expected);
    }
}

class TrackpadSystemGestureStoredNumberTest : public HotkeyHostFixture {};

TEST_F(TrackpadSystemGestureStoredNumberTest, ANumberNoIntegerHoldsIsNotTwo) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, double> rows[] = {
        {"two", 2.0},          {"fraction cut to two", 2.9}, {"not a number", std::nan("")},
        {"infinite", inf},     {"minus infinite", -inf},     {"past every integer", 1e300},
        {"just past", 9.3e18}, {"far below", -1e300}};
    const std::string tap = "TrackpadThreeFingerTapGesture";
    for (const auto& [name, number] : rows) {
        SCOPED_TRACE(name);
        Preferences& preferences = host.preferences();
        for (const char* domain : {Detector::builtInDomain, Detector::bluetoothDomain}) {
            preferences.setAppValue("TrackpadFourFingerHorizSwipeGesture", number, domain);
        } // in place of the host's stored 2
        preferences.setAppValue(tap, number, Detector::builtInDomain);
        preferences.setAppValue(tap, 2, Detector::bluetoothDomain); // the built-in value wins
        const bool two = std::isfinite(number) && std::trunc(number) == 2;
        const auto status = Detector::current();
        EXPECT_EQ(status.leftRight, two);
        EXPECT_EQ(status.threeFingerTapAvailable, !two);
    }
}

} // namespace
} // namespace tessarin
