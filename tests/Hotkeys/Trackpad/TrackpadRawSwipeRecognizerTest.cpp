#include "Hotkeys/Trackpad/TrackpadRawSwipeRecognizer.h"

#include "Hotkeys/Trackpad/TrackpadThreeFingerTapRecognizer.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tessarin {
namespace {

using Frame = std::vector<TrackpadTouchPoint>;
using R = TrackpadRawSwipeRejectionReason;
using D = TrackpadSwipeTransitionDirection;

// Three fingers side by side at y 0.5, each moved by `offset`.
Frame three(float dx, float dy, int32_t firstId = 1) {
    return {{firstId, 0.3F + dx, 0.5F + dy},
            {firstId + 1, 0.4F + dx, 0.5F + dy},
            {firstId + 2, 0.5F + dx, 0.5F + dy}};
}

struct Step {
    Frame frame;
    double time;
};

std::optional<TrackpadRawSwipeResult> run(const std::vector<Step>& steps, int fingers = 3) {
    TrackpadRawSwipeRecognizer recognizer(fingers);
    std::optional<TrackpadRawSwipeResult> result;
    for (const Step& step : steps) {
        if (auto update = recognizer.process(step.frame, step.time); update.result) {
            result = update.result;
        }
    }
    return result;
}

struct SwipeCase {
    const char* name;
    std::vector<Step> steps;
    std::optional<D> direction;
    std::optional<R> reason;
};

TEST(TrackpadRawSwipeRecognizerTest, JudgesEachGestureOnceAtTheLift) {
    const Frame four{{1, 0.2F, 0.5F}, {2, 0.3F, 0.5F}, {3, 0.4F, 0.5F}, {4, 0.5F, 0.5F}};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Frame two{{1, 0.3F, 0.5F}, {2, 0.4F, 0.5F}};
    const Frame lifting{{1, 0.5F, 0.5F}, {2, 0.6F, 0.5F}};
    const Frame oneStill{{1, 0.5F, 0.5F}, {2, 0.6F, 0.5F}, {3, 0.5F, 0.5F}};
    // Binary fractions, so the centroid travels exactly 0.1875 across and 0.125 up: ratio 1.5.
    const Frame spread{{1, 0.25F, 0.5F}, {2, 0.5F, 0.5F}, {3, 0.75F, 0.5F}};
    const Frame spreadMoved{{1, 0.4375F, 0.625F}, {2, 0.6875F, 0.625F}, {3, 0.9375F, 0.625F}};
    // Two fingers carry the centroid well along the axis while the third moves back by 0.1.
    const Frame oneAgainstRight{{1, 0.2F, 0.5F}, {2, 0.7F, 0.5F}, {3, 0.8F, 0.5F}};
    const Frame oneAgainstUp{{1, 0.3F, 0.4F}, {2, 0.4F, 0.85F}, {3, 0.5F, 0.85F}};
    // clang-format off
    const SwipeCase cases[] = {
        {"right, ratio 2 passes", {{three(0, 0), 0}, {three(0.1F, 0.05F), 0.2}, {{}, 0.3}}, D::right, {}},
        {"ratio exactly 1.5 passes", {{spread, 0}, {spreadMoved, 0.2}, {{}, 0.3}}, D::right, {}},
        {"ratio 1.43 is diagonal", {{three(0, 0), 0}, {three(0.1F, 0.07F), 0.2}, {{}, 0.3}}, {}, R::diagonal},
        {"travel below 0.08", {{three(0, 0), 0}, {three(0.079F, 0), 0.2}, {{}, 0.3}}, {}, R::insufficientTravel},
        {"down", {{three(0, 0), 0}, {three(0, -0.2F), 0.2}, {{}, 0.3}}, D::down, {}},
        {"exactly 1.5 s", {{three(0, 0), 0}, {three(-0.2F, 0), 1.0}, {{}, 1.5}}, D::left, {}},
        {"longer than 1.5 s", {{three(0, 0), 0}, {three(-0.2F, 0), 1.0}, {{}, 1.51}}, {}, R::tooLong},
        {"backtrack 0.03 first", {{three(0, 0), 0}, {three(-0.03F, 0), 0.1}, {three(0.2F, 0), 0.2}, {{}, 0.3}}, {}, R::reversal},
        {"backtrack 0.03 first, up", {{three(0, 0), 0}, {three(0, -0.03F), 0.1}, {three(0, 0.2F), 0.2}, {{}, 0.3}}, {}, R::reversal},
        {"backtrack 0.03 first, down", {{three(0, 0), 0}, {three(0, 0.03F), 0.1}, {three(0, -0.2F), 0.2}, {{}, 0.3}}, {}, R::reversal},
        {"backtrack 0.01 only, up", {{three(0, 0), 0}, {three(0, -0.01F), 0.1}, {three(0, 0.2F), 0.2}, {{}, 0.3}}, D::up, {}},
        {"two then three fingers", {{two, 0}, {three(0, 0), 0.1}, {three(0.2F, 0), 0.3}, {{}, 0.4}}, D::right, {}},
        {"fourth finger joins", {{three(0, 0), 0}, {four, 0.1}, {three(0.2F, 0), 0.2}, {{}, 0.3}}, {}, R::additionalContacts},
        {"four first, one lifts: no verdict", {{four, 0}, {three(0, 0), 0.1}, {three(0.2F, 0), 0.2}, {{}, 0.3}}, {}, {}},
        {"finger lifts and lands again", {{three(0, 0), 0}, {two, 0.1}, {three(0.2F, 0), 0.2}, {{}, 0.3}}, {}, R::identityChurn},
        {"lifted one by one", {{three(0, 0), 0}, {three(0.2F, 0), 0.2}, {lifting, 0.25}, {Frame{{1, 0.5F, 0.5F}}, 0.3}, {{}, 0.35}}, D::right, {}},
        {"one finger still", {{three(0, 0), 0}, {oneStill, 0.2}, {{}, 0.3}}, {}, R::incoherentMovement},
        {"one finger against, across", {{three(0, 0), 0}, {oneAgainstRight, 0.2}, {{}, 0.3}}, {}, R::incoherentMovement},
        {"one finger against, up", {{three(0, 0), 0}, {oneAgainstUp, 0.2}, {{}, 0.3}}, {}, R::incoherentMovement},
        {"non-finite travel", {{three(0, 0), 0}, {three(nan, 0), 0.2}, {{}, 0.3}}, {}, R::insufficientTravel},
    };
    // clang-format on
    for (const SwipeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = run(c.steps);
        if (!c.direction && !c.reason) {
            EXPECT_FALSE(result);
            continue;
        }
        ASSERT_TRUE(result);
        EXPECT_EQ(result->direction, c.direction);
        EXPECT_EQ(result->rejectionReason, c.reason);
        EXPECT_EQ(result->fingerCount, 3);
    }
}

struct TapCase {
    const char* name;
    std::vector<Step> steps;
    bool tapped;
};

TEST(TrackpadThreeFingerTapRecognizerTest, CompletesOnlyAShortStillThreeFingerTap) {
    const Frame four{{1, 0.3F, 0.5F}, {2, 0.4F, 0.5F}, {3, 0.5F, 0.5F}, {4, 0.6F, 0.5F}};
    // clang-format off
    const TapCase cases[] = {
        {"within 0.3 s", {{three(0, 0), 0}, {three(0.01F, 0), 0.1}, {{}, 0.3}}, true},
        {"lifted at exactly 0.45 s", {{three(0, 0), 0}, {{}, 0.45}}, true},
        {"resting 0.5 s", {{three(0, 0), 0}, {three(0, 0), 0.2}, {{}, 0.5}}, false},
        {"fourth finger joins", {{three(0, 0), 0}, {four, 0.1}, {three(0, 0), 0.15}, {{}, 0.2}}, false},
        {"moved 0.04", {{three(0, 0), 0}, {three(0.04F, 0), 0.1}, {{}, 0.2}}, false},
        {"lifted one by one", {{three(0, 0), 0}, {Frame{{1, 0.3F, 0.5F}}, 0.1}, {{}, 0.2}}, true},
    };
    // clang-format on
    for (const TapCase& c : cases) {
        SCOPED_TRACE(c.name);
        TrackpadThreeFingerTapRecognizer recognizer;
        bool tapped = false;
        for (const Step& step : c.steps) {
            tapped = recognizer.process(step.frame, step.time);
        }
        EXPECT_EQ(tapped, c.tapped);
    }
}

} // namespace
} // namespace tessarin
