#include "Platform/MachineDesktop/CompositingManager.h"
#include "UI/OSD/OSDWindowTestSupport.h"

#include <QPainter>

namespace tessarin::testing {
namespace {

// What the X server shows of a window where nothing composes: its pixels over black.
QColor seenWithoutACompositor(QWidget& window, QPoint point) {
    QImage seen(window.size(), QImage::Format_RGB32);
    seen.fill(Qt::black);
    QPainter(&seen).drawImage(0, 0, window.grab().toImage());
    return seen.pixelColor(point);
}

bool near(const QColor& seen, const QColor& expected) {
    return std::abs(seen.red() - expected.red()) <= 1 &&
           std::abs(seen.green() - expected.green()) <= 1 &&
           std::abs(seen.blue() - expected.blue()) <= 1;
}

// The backdrop, at its default opacity, shows in the colour it has over the appearance's own
// windows, not darkened by the black a desktop without a compositor puts behind it.
TEST_F(OSDWindowTest, WithoutACompositorThePickerIsDrawnInItsOpaqueColour) {
    struct Case {
        const char* name;
        OSDAppearanceMode chrome;
        QColor shown;
    };
    const Case cases[] = {
        {"light", OSDAppearanceMode::light, QColor(0xF0, 0xF0, 0xF0)}, // not #BFBFBF
        {"dark", OSDAppearanceMode::dark, QColor(0x1E, 0x1E, 0x1E)},   // not #181818
    };
    const CompositingManager::ScopedAnswer withoutCompositor(false);
    for (const Case& c : cases) {
        OSDGridAppearanceSettings appearance = OSDGridAppearanceSettings::defaultValue();
        appearance.appearanceMode = c.chrome;
        window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                    appearance, OSDDismissalBehavior::manual(), "UUID-A", std::nullopt,
                    std::nullopt, nullptr, nullptr);
        panel().show();
        // In the margin beside the cells, below the rounded corner.
        const QColor seen = seenWithoutACompositor(panel(), QPoint(8, panel().height() / 2));
        EXPECT_TRUE(near(seen, c.shown)) << c.name << ": " << seen.name().toStdString();
    }
}

// Where the desktop composes, what lies behind shows through the backdrop as before.
TEST_F(OSDWindowTest, WithACompositorThePickersBackdropStaysTranslucent) {
    const CompositingManager::ScopedAnswer withCompositor(true);
    OSDGridAppearanceSettings appearance = OSDGridAppearanceSettings::defaultValue();
    appearance.appearanceMode = OSDAppearanceMode::light;
    window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                appearance, OSDDismissalBehavior::manual(), "UUID-A", std::nullopt, std::nullopt,
                nullptr, nullptr);
    panel().show();
    const QImage picture = panel().grab().toImage();
    EXPECT_LT(picture.pixelColor(QPoint(8, panel().height() / 2)).alpha(), 255);
}

} // namespace
} // namespace tessarin::testing
