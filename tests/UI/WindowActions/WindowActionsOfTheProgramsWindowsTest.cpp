#include "UI/Alerts/SystemAlertDialog.h"
#include "UI/Health/HealthWorld.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/WindowActions/AllowedWindowActions.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace tessarin {
namespace {

// What each window tells the window manager it allows: never miniaturised, zoomed or resized
// from its frame, and closed there only where a person may close it.
class WindowActionsTest : public testing::HealthWorld {
protected:
    static void expectOffers(QWidget& window, bool close, const char* name) {
        const WindowActions* actions = AllowedWindowActions::of(window);
        ASSERT_NE(actions, nullptr) << name;
        EXPECT_EQ(*actions, WindowActions{.close = close}) << name;
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowCloseButtonHint), close) << name;
        EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint)) << name;
        EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint)) << name;
        // A size of its own: a window manager offers neither resizing nor maximising.
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << name;
        EXPECT_EQ(window.minimumSize(), window.size()) << name;
    }
    // Miniaturised from a window manager's frame, the window comes straight back.
    static void expectMiniaturisingRefused(QWidget& window, const char* name) {
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
        QCoreApplication::processEvents();
        EXPECT_FALSE(window.isMinimized()) << name;
        EXPECT_TRUE(window.isVisible()) << name;
    }
};

TEST_F(WindowActionsTest, TheHealthWindowIsClosableOnlyOutsideTheRequiredStep) {
    controller().present(TessarinHealthCheckPresentationMode::setup);
    ASSERT_EQ(step(), "0"); // Accessibility, required
    expectOffers(window(), false, "required step");
    expectMiniaturisingRefused(window(), "required step");

    host().system().setProcessTrusted(true);
    grantCapture();
    world.queue.advance(1.0);
    ASSERT_NE(step(), "0");
    expectOffers(window(), true, "recommended step");
    expectMiniaturisingRefused(window(), "recommended step");
}

TEST_F(WindowActionsTest, SheetsAndAlertsOnlyMove) {
    PreferencesPanel panel;
    panel.resize(600, 400);
    panel.show();
    QWidget sheet;
    (new QVBoxLayout(&sheet))->addWidget(new QLabel(QStringLiteral("A sheet")));
    beginSheet(sheet, panel);
    expectOffers(sheet, false, "sheet");
    expectMiniaturisingRefused(sheet, "sheet");
    endSheet(sheet);

    SystemAlertDialog alert(SystemAlert{"Title", "A sentence below it.", {"OK", "Cancel"}});
    alert.show();
    expectOffers(alert, false, "alert");
    expectMiniaturisingRefused(alert, "alert");
}

} // namespace
} // namespace tessarin
