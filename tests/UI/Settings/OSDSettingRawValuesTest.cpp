#include "UI/Settings/OSDAppearanceMode.h"
#include "UI/Settings/OSDGridRearrangementBehavior.h"
#include "UI/Settings/OSDGridScreenshotCaptureMode.h"
#include "UI/Settings/OSDGridScreenshotTiming.h"
#include "UI/Settings/OSDGridSize.h"
#include "UI/Settings/OSDHeaderIconStyle.h"
#include "UI/Settings/PersistentGridOverlaySize.h"

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

// Each enumeration read from its global key: a valid raw value, else the default.
template <class E> void expectPersisted(const char* key, E stored, E fallback) {
    UserDefaults defaults;
    EXPECT_EQ(persisted<E>(defaults), fallback) << key;
    defaults.set(key, rawValue(stored));
    EXPECT_EQ(persisted<E>(defaults), stored) << key;
    defaults.set(key, "unknown");
    EXPECT_EQ(persisted<E>(defaults), fallback) << key;
    defaults.set(key, 1);
    EXPECT_EQ(persisted<E>(defaults), fallback) << key;
}

TEST(OSDSettingRawValues, PersistedGlobalValues) {
    expectPersisted("osdAppearanceMode", OSDAppearanceMode::dark, OSDAppearanceMode::automatic);
    expectPersisted("osdHeaderIconStyle", OSDHeaderIconStyle::monochrome,
                    OSDHeaderIconStyle::color);
    expectPersisted("osdGridSize", OSDGridSize::medium, OSDGridSize::large);
    expectPersisted("osdGridScreenshotTiming", OSDGridScreenshotTiming::power,
                    OSDGridScreenshotTiming::performant);
    expectPersisted("osdGridScreenshotCaptureMode", OSDGridScreenshotCaptureMode::screen,
                    OSDGridScreenshotCaptureMode::window);
    expectPersisted("persistentGridOverlaySize", PersistentGridOverlaySize::large,
                    PersistentGridOverlaySize::medium);
}

TEST(OSDSettingRawValues, ShuffleSettingChoosesTheBehaviour) {
    EXPECT_EQ(rearrangementBehavior(true), OSDGridRearrangementBehavior::shuffle);
    EXPECT_EQ(rearrangementBehavior(false), OSDGridRearrangementBehavior::swap);
}

} // namespace
} // namespace tessarin
