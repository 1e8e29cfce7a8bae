#include "Model/Settings/DisplayPresentationSettingsStore.h"

#include "Model/Settings/DefaultsWriteRecorder.h"
#include "Support/VirtualMainQueue.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

constexpr const char* kDisplay = "0F0E0D0C-1111-4222-8333-444455556666";
using Store = DisplayPresentationSettingsStore;
using Target = Store::PlacementTarget;

std::string overrideKey(const std::string& baseKey, const std::string& display = kDisplay) {
    return baseKey + ".display." + display;
}

class DisplayPresentationSettingsStoreTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    Store store{defaults};
    const std::optional<std::string> display = std::string(kDisplay);
    const DisplaySettingsScope displayScope = DisplaySettingsScope::display(kDisplay);
    const DisplaySettingsScope globalScope = DisplaySettingsScope::global();
};

// One setting read three ways: with a valid override, with only a valid global value, and with
// the override invalid (so the global value shows through).
struct FallbackCase {
    const char* name;
    const char* key;
    PropertyValue overrideValue;
    PropertyValue globalValue;
    PropertyValue invalidValue;
    std::function<std::string(const DisplayPresentationSettingsSnapshot&)> read;
    std::string expectedOverride;
    std::string expectedGlobal;
};

void PrintTo(const FallbackCase& value, std::ostream* out) {
    *out << value.name;
}

class DisplayPresentationFallbackTest : public DisplayPresentationSettingsStoreTest,
                                        public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(DisplayPresentationFallbackTest, OverrideThenGlobalThenDefault) {
    const FallbackCase& c = GetParam();
    const std::string defaultReading = c.read(store.snapshot(display));

    defaults.set(c.key, c.globalValue);
    EXPECT_EQ(c.read(store.snapshot(display)), c.expectedGlobal);

    defaults.set(overrideKey(c.key), c.overrideValue);
    EXPECT_EQ(c.read(store.snapshot(display)), c.expectedOverride);
    EXPECT_EQ(c.read(store.snapshot(std::string("\t") + kDisplay + " \n")), c.expectedOverride)
        << "the identifier is trimmed";
    EXPECT_EQ(c.read(store.snapshot()), c.expectedGlobal) << "global ignores overrides";
    EXPECT_EQ(c.read(store.snapshot(std::string("  "))), c.expectedGlobal) << "blank is global";

    defaults.set(overrideKey(c.key), c.invalidValue);
    EXPECT_EQ(c.read(store.snapshot(display)), c.expectedGlobal);

    defaults.set(c.key, c.invalidValue);
    EXPECT_EQ(c.read(store.snapshot(display)), defaultReading);
}

std::string text(bool value) {
    return value ? "true" : "false";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DisplayPresentationFallbackTest,
    ::testing::Values(
        // clang-format off
        FallbackCase{"showOSD", "showOSD", false, true, "no",
                     [](const auto& s) { return text(s.osd.isEnabled); }, "false", "true"},
        FallbackCase{"appearanceMode", "osdAppearanceMode", "dark", "light", "Dark",
                     [](const auto& s) { return rawValue(s.osd.appearanceMode); }, "dark", "light"},
        FallbackCase{"headerIconStyle", "osdHeaderIconStyle", "monochrome", "color", 1,
                     [](const auto& s) { return rawValue(s.osd.headerIconStyle); }, "monochrome", "color"},
        FallbackCase{"gridPlacement", "osdGridPlacement", "topLeft", "bottomRight", "top",
                     [](const auto& s) { return rawValue(s.osd.gridPlacement); }, "topLeft", "bottomRight"},
        FallbackCase{"gridSize", "osdGridSize", "extraLarge", "medium", "small",
                     [](const auto& s) { return rawValue(s.osd.gridSize); }, "extraLarge", "medium"},
        FallbackCase{"gridOpacity", "osdGridOpacityPercent", 30, 70.0, 35,
                     [](const auto& s) { return std::to_string(rawValue(s.osd.gridOpacity)); }, "30", "70"},
        FallbackCase{"previewTint", "osdPreviewTintPercent", 47, 150, "20",
                     [](const auto& s) { return std::to_string(s.osd.previewTint.rawValue); }, "45", "100"},
        FallbackCase{"borderWidth", "osdActiveSpaceBorderWidth", 0, 12, "3",
                     [](const auto& s) { return std::to_string(s.osdAppearance.activeSpaceBorderWidth.rawValue); }, "1", "8"},
        FallbackCase{"glowOpacity", "osdActiveSpaceGlowOpacityPercent", 52, -3, "x",
                     [](const auto& s) { return std::to_string(s.osdAppearance.activeSpaceGlowOpacity.rawValue); }, "50", "0"},
        FallbackCase{"animation", "osdActiveSpaceAnimationEnabled", false, true, 0,
                     [](const auto& s) { return text(s.activeSpaceAnimationEnabled); }, "false", "true"},
        FallbackCase{"overlayEnabled", "persistentGridOverlayEnabled", true, false, "true",
                     [](const auto& s) { return text(s.overlay.isEnabled); }, "true", "false"},
        FallbackCase{"overlayOpacity", "persistentGridOverlayOpacityPercent", 0, 60, "50",
                     [](const auto& s) { return std::to_string(rawValue(s.overlay.opacity)); }, "0", "60"},
        FallbackCase{"overlaySize", "persistentGridOverlaySize", "small", "large", "huge",
                     [](const auto& s) { return rawValue(s.overlay.size); }, "small", "large"},
        FallbackCase{"activeColor", "persistentGridOverlayActiveColor", " #12abef ", "System-Highlight", "blue",
                     [](const auto& s) { return s.overlay.activeColor.rawValue; }, "12ABEFFF", "systemHighlight"},
        FallbackCase{"activeColorInOSD", "persistentGridOverlayActiveColor", "FF000080", "00FF00", "#GG0000",
                     [](const auto& s) { return s.osdAppearance.activeColor.rawValue; }, "FF000080", "00FF00FF"},
        FallbackCase{"titlePlacement", "persistentTitleOverlayPlacement", "bottomRight", "center", "Center",
                     [](const auto& s) { return rawValue(s.titleOverlay.placement); }, "bottomRight", "center"},
        FallbackCase{"titleOpacity", "persistentTitleOverlayOpacityPercent", 100, 20, 101,
                     [](const auto& s) { return std::to_string(rawValue(s.titleOverlay.opacity)); }, "100", "20"},
        FallbackCase{"titleFamily", "persistentTitleOverlayFontFamily", "  Menlo ", " SYSTEM ", 12,
                     [](const auto& s) { return s.titleOverlay.font.family; }, "Menlo", "system"}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayPresentationSettingsStoreTest, TitleFontSizeReadsNewKeyThenOlderNamedSize) {
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(display), 18);
    defaults.set("persistentTitleOverlaySize", "large");
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(display), 24);
    defaults.set(overrideKey("persistentTitleOverlaySize"), "small");
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(display), 12);
    defaults.set(overrideKey("persistentTitleOverlayFontSize"), 120);
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(display), 96);
    defaults.set(overrideKey("persistentTitleOverlayFontSize"), "14 pt");
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(display), 14);
    EXPECT_EQ(store.snapshot(display).titleOverlay.font.pointSize, 14);
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(std::nullopt), 24);
}

TEST_F(DisplayPresentationSettingsStoreTest, GlobalOnlySettingsIgnoreOverrides) {
    defaults.set("osdGridScreenshotTiming", "power");
    defaults.set(overrideKey("osdGridScreenshotTiming"), "optimised");
    defaults.set("osdGridScreenshotCaptureMode", "screen");
    defaults.set("osdGridSpaceScreenshotsEnabled", false);
    defaults.set("osdAllowsMouseSelection", false);
    defaults.set("osdShuffleWhenRearranging", true);
    const auto snapshot = store.snapshot(display);
    EXPECT_EQ(snapshot.screenshotTiming, OSDGridScreenshotTiming::power);
    EXPECT_EQ(snapshot.screenshotCaptureMode, OSDGridScreenshotCaptureMode::screen);
    EXPECT_FALSE(snapshot.screenshotsEnabled);
    EXPECT_FALSE(snapshot.allowsMouseSelection);
    EXPECT_EQ(snapshot.rearrangementBehavior, OSDGridRearrangementBehavior::shuffle);
    EXPECT_EQ(defaults.keys().size(), 6u) << "reading must not write";
}

// The scoped write rule: a display writes only what differs from the global value (stored
// global, else the given default) and drops an override that became equal; a global write
// compares with the stored global value. Each stored edit raises the revision once.
TEST_F(DisplayPresentationSettingsStoreTest, WritesOnlyWhatDiffersFromTheGlobalValue) {
    const std::string key = "osdGridOpacityPercent";
    // clang-format off
    struct Case { const char* name; std::optional<PropertyValue> global, override; bool toDisplay;
                  int64_t value; bool changed; std::optional<PropertyValue> globalAfter, overrideAfter; };
    const auto none = std::nullopt;
    const Case cases[] = {
        {"display equal to global", none, none, true, 90, false, none, none},
        {"display differs", none, none, true, 50, true, none, 50},
        {"override holds it", none, 50, true, 50, false, none, 50},
        {"display back to global", none, 50, true, 90, true, none, none},
        {"global, nothing stored, given value", none, none, false, 90, false, none, none},
        {"global differs", none, none, false, 60, true, 60, none},
        {"stored global wins over given", 60, none, false, 60, false, 60, none},
        {"mistyped global replaced", "90", none, false, 90, true, 90, none},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserDefaults fresh;
        if (c.global)
            fresh.set(key, *c.global);
        if (c.override)
            fresh.set(overrideKey(key), *c.override);
        Store freshStore(fresh);
        DefaultsWriteRecorder writes(fresh);
        EXPECT_EQ(
            freshStore.setIntValue(c.value, key, c.toDisplay ? displayScope : globalScope, 90),
            c.changed);
        EXPECT_EQ(fresh.object(key), c.globalAfter);
        EXPECT_EQ(fresh.object(overrideKey(key)), c.overrideAfter);
        EXPECT_EQ(freshStore.revision.value(), c.changed ? 1 : 0);
        EXPECT_EQ(writes.count(), c.changed ? 1u : 0u);
    }
    EXPECT_FALSE(store.setIntValue(10, key, DisplaySettingsScope::display(" \n"), 90));
    EXPECT_TRUE(defaults.keys().empty()) << "a blank identifier writes nothing";
}

TEST_F(DisplayPresentationSettingsStoreTest, BoolAndStringWritesFollowTheSameRule) {
    defaults.set("showOSD", false);
    defaults.set(overrideKey("showOSD"), false);
    EXPECT_TRUE(store.setBoolValue(false, "showOSD", displayScope, true));
    EXPECT_FALSE(defaults.contains(overrideKey("showOSD")));
    EXPECT_TRUE(store.setBoolValue(true, "showOSD", displayScope, true));
    EXPECT_TRUE(store.snapshot(display).osd.isEnabled);

    const std::string key = "persistentGridOverlayActiveColor";
    EXPECT_FALSE(store.setStringValue("1285FFFF", key, globalScope, "1285FFFF"));
    EXPECT_TRUE(store.setStringValue("systemHighlight", key, displayScope, "1285FFFF"));
    EXPECT_EQ(store.overlayActiveColorValue(display).rawValue, "systemHighlight");
    EXPECT_EQ(store.revision.value(), 3);
}

TEST_F(DisplayPresentationSettingsStoreTest, TypedSettersCompareWithTheResolvedGlobalValue) {
    DefaultsWriteRecorder writes(defaults);
    EXPECT_FALSE(store.setAppearanceMode(OSDAppearanceMode::automatic, globalScope));
    EXPECT_FALSE(store.setGridSize(OSDGridSize::large, displayScope));
    EXPECT_FALSE(store.setHeaderIconStyle(OSDHeaderIconStyle::color, displayScope));
    EXPECT_FALSE(store.setOverlaySize(PersistentGridOverlaySize::medium, displayScope));
    EXPECT_FALSE(store.setTitleOverlayFontFamily(" System ", displayScope));
    EXPECT_FALSE(store.setPlacementValue(OSDPlacement::center, Target::osdGrid, displayScope));
    EXPECT_EQ(writes.count(), 0u);

    EXPECT_TRUE(store.setAppearanceMode(OSDAppearanceMode::dark, displayScope));
    EXPECT_TRUE(store.setHeaderIconStyle(OSDHeaderIconStyle::monochrome, globalScope));
    EXPECT_TRUE(store.setGridSize(OSDGridSize::extraLarge, displayScope));
    EXPECT_TRUE(store.setOverlaySize(PersistentGridOverlaySize::large, displayScope));
    EXPECT_TRUE(store.setTitleOverlayFontFamily("  Menlo", displayScope));
    EXPECT_TRUE(store.setPlacementValue(OSDPlacement::topLeft, Target::osdLabel, displayScope));
    EXPECT_TRUE(store.setPlacementValue(OSDPlacement::center, Target::titleOverlay, globalScope));
    EXPECT_EQ(store.revision.value(), 7);

    EXPECT_EQ(defaults.object(overrideKey("osdAppearanceMode")), PropertyValue("dark"));
    EXPECT_EQ(defaults.object("osdHeaderIconStyle"), PropertyValue("monochrome"));
    EXPECT_EQ(defaults.object(overrideKey("osdGridSize")), PropertyValue("extraLarge"));
    EXPECT_EQ(defaults.object(overrideKey("persistentGridOverlaySize")), PropertyValue("large"));
    EXPECT_EQ(defaults.object(overrideKey("persistentTitleOverlayFontFamily")),
              PropertyValue("Menlo"));
    EXPECT_EQ(defaults.object(overrideKey("osdLabelPlacement")), PropertyValue("topLeft"));
    EXPECT_EQ(defaults.object("persistentTitleOverlayPlacement"), PropertyValue("center"));

    // The display's header style now equals the new global one, so its override is not needed.
    EXPECT_FALSE(store.setHeaderIconStyle(OSDHeaderIconStyle::monochrome, displayScope));
}

TEST_F(DisplayPresentationSettingsStoreTest, TitleFontSizeIsClampedAndDropsTheOlderKey) {
    DefaultsWriteRecorder writes(defaults);
    EXPECT_FALSE(store.setTitleOverlayFontPointSize(18, globalScope));
    EXPECT_EQ(writes.count(), 0u);

    EXPECT_TRUE(store.setTitleOverlayFontPointSize(200, globalScope));
    EXPECT_EQ(defaults.object("persistentTitleOverlayFontSize"), PropertyValue(96));

    EXPECT_TRUE(store.setTitleOverlayFontPointSize(3, displayScope));
    EXPECT_EQ(defaults.object(overrideKey("persistentTitleOverlayFontSize")), PropertyValue(10));
    EXPECT_TRUE(store.setTitleOverlayFontPointSize(96, displayScope));
    EXPECT_FALSE(defaults.contains(overrideKey("persistentTitleOverlayFontSize")));
    EXPECT_EQ(store.revision.value(), 3);
}

TEST_F(DisplayPresentationSettingsStoreTest, DroppingTheOlderNamedSizeKeepsTheShownSize) {
    defaults.set("persistentTitleOverlaySize", "large");
    defaults.set(overrideKey("persistentTitleOverlaySize"), "small");
    EXPECT_TRUE(store.setTitleOverlayFontPointSize(24, globalScope));
    EXPECT_FALSE(defaults.contains("persistentTitleOverlaySize"));
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(std::nullopt), 24);
    EXPECT_EQ(store.revision.value(), 1) << "one edit, however many keys it touched";
    // The display's older size goes too, and it reads the global size again.
    EXPECT_TRUE(store.setTitleOverlayFontPointSize(24, displayScope));
    EXPECT_FALSE(defaults.contains(overrideKey("persistentTitleOverlaySize")));
    EXPECT_FALSE(defaults.contains(overrideKey("persistentTitleOverlayFontSize")));
    EXPECT_EQ(store.titleOverlayFontPointSizeValue(display), 24);
}

TEST_F(DisplayPresentationSettingsStoreTest, ScreenshotSettingsAreWrittenGlobally) {
    EXPECT_FALSE(store.setScreenshotTiming(OSDGridScreenshotTiming::performant));
    EXPECT_TRUE(store.setScreenshotTiming(OSDGridScreenshotTiming::power));
    EXPECT_TRUE(store.setScreenshotCaptureMode(OSDGridScreenshotCaptureMode::screen));
    EXPECT_FALSE(store.setScreenshotCaptureMode(OSDGridScreenshotCaptureMode::screen));
    EXPECT_EQ(defaults.object("osdGridScreenshotTiming"), PropertyValue("power"));
    EXPECT_EQ(defaults.object("osdGridScreenshotCaptureMode"), PropertyValue("screen"));
    EXPECT_EQ(store.revision.value(), 2);
}

TEST_F(DisplayPresentationSettingsStoreTest, ClearOverridesRemovesOnlyThatDisplaysKeys) {
    EXPECT_FALSE(store.hasOverrides(kDisplay));
    // A per-display value of a global-only setting is left over from elsewhere: it is still an
    // override, so that clearing the display removes it.
    defaults.set(overrideKey("osdGridScreenshotTiming"), "power");
    EXPECT_TRUE(store.hasOverrides(kDisplay));
    store.setIntValue(30, "osdGridOpacityPercent", displayScope, 90);
    defaults.set(overrideKey("persistentTitleOverlaySize"), "small");
    store.setBoolValue(true, "persistentGridOverlayEnabled", DisplaySettingsScope::display("B"),
                       false);
    store.setIntValue(30, "osdGridOpacityPercent", globalScope, 90);
    EXPECT_TRUE(store.hasOverrides(std::string(" ") + kDisplay));

    const auto revisionBefore = store.revision.value();
    store.clearOverrides(kDisplay);
    EXPECT_FALSE(store.hasOverrides(kDisplay));
    EXPECT_FALSE(defaults.contains(overrideKey("osdGridScreenshotTiming")));
    EXPECT_TRUE(store.hasOverrides("B"));
    EXPECT_EQ(defaults.object("osdGridOpacityPercent"), PropertyValue(30));
    EXPECT_EQ(store.revision.value(), revisionBefore + 1);

    DefaultsWriteRecorder writes(defaults);
    store.clearOverrides(kDisplay);
    store.clearOverrides("   ");
    EXPECT_EQ(writes.count(), 0u);
    EXPECT_EQ(store.revision.value(), revisionBefore + 1);
}

} // namespace
} // namespace tessarin
