#include "Hotkeys/Trackpad/TrackpadSystemGestureDetector.h"

#include <gtest/gtest.h>
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

} // namespace
} // namespace tessarin
