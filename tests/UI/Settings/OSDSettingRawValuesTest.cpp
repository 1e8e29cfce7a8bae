#include "UI/Settings/OSDAppearanceMode.h"
#include "UI/Settings/OSDGridScreenshotCaptureMode.h"
#include "UI/Settings/OSDGridScreenshotTiming.h"
#include "UI/Settings/OSDGridSize.h"
#include "UI/Settings/OSDHeaderIconStyle.h"
#include "UI/Settings/PersistentGridOverlaySize.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Every case of a choice stored under its global key reads back as itself, and is written as
// the same text; a missing, unknown or non-text value reads as the default.
template <class E>
void expectStoredChoices(const char* key, std::vector<std::pair<std::string, E>> stored,
                         E fallback) {
    SCOPED_TRACE(key);
    ASSERT_EQ(stored.size(), allCases<E>().size()) << "every case has its row";
    UserDefaults defaults;
    EXPECT_EQ(persisted<E>(defaults), fallback);
    for (const auto& [text, value] : stored) {
        EXPECT_EQ(rawValue(value), text);
        defaults.set(key, text);
        EXPECT_EQ(persisted<E>(defaults), value) << text;
    }
    std::string capitalised = stored.front().first;
    capitalised[0] = static_cast<char>(std::toupper(capitalised[0]));
    for (const PropertyValue& other : {PropertyValue(capitalised), PropertyValue(1)}) {
        defaults.set(key, other);
        EXPECT_EQ(persisted<E>(defaults), fallback);
    }
}

TEST(OSDSettingRawValues, EveryStoredChoiceReadsBack) {
    using Mode = OSDAppearanceMode;
    expectStoredChoices<Mode>(
        "osdAppearanceMode",
        {{"light", Mode::light}, {"dark", Mode::dark}, {"auto", Mode::automatic}}, Mode::automatic);
    using Style = OSDHeaderIconStyle;
    expectStoredChoices<Style>("osdHeaderIconStyle",
                               {{"color", Style::color}, {"monochrome", Style::monochrome}},
                               Style::color);
    using Size = OSDGridSize;
    expectStoredChoices<Size>(
        "osdGridSize",
        {{"medium", Size::medium}, {"large", Size::large}, {"extraLarge", Size::extraLarge}},
        Size::large);
    using Timing = OSDGridScreenshotTiming;
    expectStoredChoices<Timing>("osdGridScreenshotTiming",
                                {{"performant", Timing::performant},
                                 {"optimised", Timing::optimised},
                                 {"power", Timing::power}},
                                Timing::performant);
    using Capture = OSDGridScreenshotCaptureMode;
    expectStoredChoices<Capture>("osdGridScreenshotCaptureMode",
                                 {{"screen", Capture::screen}, {"window", Capture::window}},
                                 Capture::window);
    using Overlay = PersistentGridOverlaySize;
    expectStoredChoices<Overlay>(
        "persistentGridOverlaySize",
        {{"small", Overlay::small}, {"medium", Overlay::medium}, {"large", Overlay::large}},
        Overlay::medium);
}

} // namespace
} // namespace tessarin
