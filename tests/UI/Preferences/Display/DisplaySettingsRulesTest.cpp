#include "Model/Settings/OSDGridSize.h"
#include "UI/Preferences/Display/DisplaySettingsAvailability.h"
#include "UI/Preferences/Display/DisplaySettingsTargets.h"
#include "UI/Preferences/Display/DisplaySettingsValues.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace V = DisplaySettingsValues;
using Titles = std::vector<std::string>;

const TessarinDisplay kA{"UUID-A", "Built-in"};
const TessarinDisplay kB{"UUID-B", "Studio"};

TEST(DisplaySettingsTargets, DisplaysComeFirstAndAllDisplaysStaysWhenTheSelectedOneGoes) {
    DisplaySettingsTargets targets;
    targets.refresh(false, {kA, kB});
    EXPECT_EQ(targets.titles(), Titles{"All Displays"});
    EXPECT_FALSE(targets.isChoosable());

    targets.refresh(true, {kA});
    EXPECT_EQ(targets.titles(), (Titles{"Built-in", "All Displays"}));
    EXPECT_TRUE(targets.isChoosable());

    targets.refresh(true, {kA, kB});
    EXPECT_FALSE(targets.select(3));
    ASSERT_TRUE(targets.select(1));
    EXPECT_EQ(targets.scope(), DisplaySettingsScope::display("UUID-B"));
    targets.refresh(true, {kA, {"UUID-B", "Studio Display"}});
    EXPECT_EQ(targets.selectedIndex(), 1);
    EXPECT_EQ(targets.selected().selectedDisplay->name, "Studio Display");

    targets.refresh(true, {kA});
    EXPECT_EQ(targets.selectedIndex(), 1);
    EXPECT_TRUE(targets.scope().isGlobal());
}

TEST(DisplaySettingsAvailability, RowsFollowTheOSDGridModeSystemAndPermission) {
    struct Case {
        const char* name;
        DisplaySettingsAvailabilityInputs inputs;
        bool osd;
        bool screenshots;
    } const cases[] = {
        {"all on", {true, true, false, false, 14, true, false}, true, true},
        {"OSD off", {false, true, false, false, 15, true, false}, false, false},
        {"grid mode off", {true, false, false, false, 15, true, false}, false, false},
        {"system 13", {true, true, false, false, 13, true, false}, true, false},
        {"no recording", {true, true, false, false, 15, false, false}, true, false},
    };
    for (const Case& c : cases) {
        const auto available = DisplaySettingsAvailability::of(c.inputs);
        EXPECT_EQ(available.osdControls, c.osd) << c.name;
        EXPECT_EQ(available.screenshots, c.screenshots) << c.name;
    }
    const auto overlays =
        DisplaySettingsAvailability::of({false, false, true, false, 13, false, true});
    EXPECT_EQ(overlays, (DisplaySettingsAvailability{false, false, false, true, false}));
    EXPECT_EQ(DisplaySettingsText::previewSnapshotDetail(13, true),
              "Space screenshots require macOS 14 or later.");
    EXPECT_EQ(DisplaySettingsText::previewSnapshotDetail(14, false),
              "Screen Recording permission is not granted.");
}

TEST(DisplaySettingsValues, SlidersSnapToTheirSteps) {
    struct Case {
        double value;
        int opacity;
        int tint;
        int pointSize;
    } const cases[] = {
        {47, 50, 45, 47},   {44.9, 40, 45, 45}, {45, 50, 45, 45},    {47.5, 50, 50, 48},
        {18.4, 20, 20, 18}, {-3, 0, 0, 10},     {104, 100, 100, 96}, {200, 100, 100, 96},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(V::opacityPercent(c.value), c.opacity) << c.value;
        EXPECT_EQ(V::previewTintPercent(c.value), c.tint) << c.value;
        EXPECT_EQ(V::titleOverlayFontPointSize(c.value), c.pointSize) << c.value;
    }
}

TEST(DisplaySettingsValues, TheColourSourceKeepsACustomColourAndReplacesTheHighlight) {
    EXPECT_EQ(V::activeColorForSource(0, "systemHighlight"), "1285FFFF");
    EXPECT_EQ(V::activeColorForSource(0, "FF0000FF"), "FF0000FF");
    EXPECT_EQ(V::activeColorForSource(1, "FF0000FF"), "systemHighlight");
    EXPECT_EQ(V::activeColorForSource(2, "FF0000FF"), std::nullopt);
    EXPECT_EQ(V::activeColorForSource(-1, "FF0000FF"), std::nullopt);
    EXPECT_EQ(V::activeColorRawValue(QColor(0x12, 0x34, 0x56, 0x78)), "12345678");
    EXPECT_EQ(V::activeColorRawValue(QColor()), "1285FFFF");
}

TEST(DisplaySettingsValues, ChoicesStandForTheCaseAtTheirPosition) {
    EXPECT_EQ(V::caseAtIndex<OSDGridSize>(0), OSDGridSize::medium);
    EXPECT_EQ(V::caseAtIndex<OSDGridSize>(2), OSDGridSize::extraLarge);
    EXPECT_EQ(V::caseAtIndex<OSDGridSize>(3), std::nullopt);
    EXPECT_EQ(V::caseAtIndex<OSDGridSize>(-1), std::nullopt);
    EXPECT_EQ(V::titleOverlayFontTitle(" SYSTEM "), "System");
    EXPECT_EQ(V::titleOverlayFontTitle(""), "System");
    EXPECT_EQ(V::titleOverlayFontTitle(" Menlo\n"), "Menlo");
}

} // namespace
} // namespace tessarin
