#include "UI/Preferences/Display/OSDAppearanceModePickerControl.h"

#include "UI/Preferences/PreferencesTestSupport.h"

#include <QImage>
#include <QTest>

namespace tessarin {
namespace {

using Mode = OSDAppearanceMode;

class OSDAppearanceModePickerControlTest : public testing::PreferencesHostTest {
protected:
    OSDAppearanceModePickerControlTest() {
        picker.resize(388, 120); // 50 to spare on each side, 16 above and below
        picker.onAction = [this] { actions.push_back(picker.selectedMode()); };
    }
    void click(QPoint point) { QTest::mouseClick(&picker, Qt::LeftButton, {}, point); }
    void press(Qt::Key key) { QTest::keyClick(&picker, key); }

    OSDAppearanceModePickerControl picker;
    std::vector<Mode> actions;
};

TEST_F(OSDAppearanceModePickerControlTest, OnlyTheCellsHit) {
    struct Case {
        const char* name;
        QPointF point;
        std::optional<Mode> hit;
    } const cases[] = {
        {"first cell's corner", {50, 16}, Mode::light},
        {"second cell", {180, 60}, Mode::dark},
        {"gap after the first cell", {140, 60}, std::nullopt},
        {"last cell's far edge", {337.9, 103.9}, Mode::automatic},
        {"below a cell", {100, 104}, std::nullopt},
        {"left margin", {49, 60}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(picker.mode(c.point), c.hit);
    }
    EXPECT_EQ(picker.sizeHint(), QSize(288, 88));
    EXPECT_EQ(OSDAppearanceModePickerControl::previewRect(picker.cellRect(0)),
              QRectF(56, 21, 76, 50));
    picker.resize(200, 88); // narrower than the row: it starts at the left edge
    EXPECT_EQ(picker.cellRect(0).topLeft(), QPointF(0, 0));
}

TEST_F(OSDAppearanceModePickerControlTest, ClicksChooseAndRepeatButGapsDoNothing) {
    click({90, 60});
    click({90, 60});
    click({145, 60});
    EXPECT_EQ(actions, (std::vector{Mode::light, Mode::light}));
    picker.applySettingsEnabledState(false);
    click({300, 60});
    EXPECT_EQ(actions.size(), 2u);
    EXPECT_EQ(picker.selectedMode(), Mode::light);
}

TEST_F(OSDAppearanceModePickerControlTest, ArrowsWrapAndSpaceResends) {
    press(Qt::Key_Right); // from automatic
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Space);
    EXPECT_EQ(actions, (std::vector{Mode::light, Mode::automatic, Mode::dark, Mode::dark}));
    picker.setEnabled(false);
    press(Qt::Key_Right);
    EXPECT_EQ(actions.size(), 4u);
}

TEST_F(OSDAppearanceModePickerControlTest, TheAutoPreviewIsLightLeftAndDarkRight) {
    picker.setSelectedMode(Mode::light);
    const QImage drawn = picker.grab().toImage();
    const QRectF preview = OSDAppearanceModePickerControl::previewRect(picker.cellRect(2));
    // Near the top, where only the wallpaper's background shows, a quarter in from each side.
    const int y = int(preview.top()) + 3;
    const QColor left = drawn.pixelColor(QPoint(int(preview.left()) + 20, y));
    const QColor right = drawn.pixelColor(QPoint(int(preview.left()) + 50, y));
    EXPECT_GT(left.lightness(), 180);
    EXPECT_LT(right.lightness(), 60);
}

} // namespace
} // namespace tessarin
