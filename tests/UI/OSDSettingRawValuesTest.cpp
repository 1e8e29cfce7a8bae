#include "UI/OSDAppearanceMode.h"
#include "UI/OSDGridRearrangementBehavior.h"
#include "UI/OSDGridScreenshotCaptureMode.h"
#include "UI/OSDGridScreenshotTiming.h"
#include "UI/OSDGridSize.h"
#include "UI/OSDHeaderIconStyle.h"
#include "UI/PersistentGridOverlaySize.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The raw values in case order, and that each reads back as its case and nothing else does.
template <class E> std::vector<std::string> rawValuesRoundTrip() {
    std::vector<std::string> raws;
    for (E value : allCases<E>()) {
        raws.push_back(rawValue(value));
        EXPECT_EQ(fromRawValue<E>(rawValue(value)), value);
        std::string upper = rawValue(value);
        upper[0] = static_cast<char>(std::toupper(upper[0]));
        EXPECT_EQ(fromRawValue<E>(upper), std::nullopt) << upper;
    }
    EXPECT_EQ(fromRawValue<E>(""), std::nullopt);
    return raws;
}

using Raws = std::vector<std::string>;

TEST(OSDSettingRawValues, CasesInOrder) {
    EXPECT_EQ(rawValuesRoundTrip<OSDAppearanceMode>(), (Raws{"light", "dark", "auto"}));
    EXPECT_EQ(rawValuesRoundTrip<OSDHeaderIconStyle>(), (Raws{"color", "monochrome"}));
    EXPECT_EQ(rawValuesRoundTrip<OSDGridSize>(), (Raws{"medium", "large", "extraLarge"}));
    EXPECT_EQ(rawValuesRoundTrip<OSDGridScreenshotTiming>(),
              (Raws{"performant", "optimised", "power"}));
    EXPECT_EQ(rawValuesRoundTrip<OSDGridScreenshotCaptureMode>(), (Raws{"screen", "window"}));
    EXPECT_EQ(rawValuesRoundTrip<OSDGridRearrangementBehavior>(), (Raws{"swap", "shuffle"}));
    EXPECT_EQ(rawValuesRoundTrip<PersistentGridOverlaySize>(), (Raws{"small", "medium", "large"}));
}

TEST(OSDSettingRawValues, ShuffleSettingChoosesTheBehaviour) {
    EXPECT_EQ(rearrangementBehavior(true), OSDGridRearrangementBehavior::shuffle);
    EXPECT_EQ(rearrangementBehavior(false), OSDGridRearrangementBehavior::swap);
}

} // namespace
} // namespace tessarin
