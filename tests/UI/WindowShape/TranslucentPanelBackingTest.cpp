#include "UI/WindowShape/TranslucentPanelBacking.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Where nothing composes the panel's pixels lie on its appearance's ground; where the desktop
// composes they stay as transparent as the panel drew them.
TEST(TranslucentPanelBackingTest, GroundsThePanelOnlyWhereTheDesktopDoesNotCompose) {
    struct Case {
        const char* name;
        Appearance appearance;
        bool composes;
        QColor shown;
    };
    const Case cases[] = {
        {"light, no compositor", Appearance::light, false, QColor(255, 255, 255)},
        {"dark, no compositor", Appearance::dark, false, QColor(30, 30, 30)},
        {"light, compositor", Appearance::light, true, QColor(0, 0, 0, 0)},
        {"dark, compositor", Appearance::dark, true, QColor(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        QImage panel(40, 20, QImage::Format_ARGB32_Premultiplied);
        panel.fill(Qt::transparent);
        QPainter painter(&panel);
        TranslucentPanelBacking::paint(painter, panel.rect(), c.appearance, c.composes);
        painter.end();
        EXPECT_EQ(panel.pixelColor(20, 10), c.shown) << c.name;
    }
}

} // namespace
} // namespace tessarin
