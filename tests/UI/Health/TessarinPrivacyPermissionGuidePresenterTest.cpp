#include "UI/Health/TessarinPrivacyPermissionGuidePresenter.h"

#include "Platform/MachineDesktop/CompositingManager.h"
#include "Platform/PlatformWorld.h"
#include "UI/Health/PermissionGuidePanel.h"
#include "UI/Health/SystemSettingsWindowLookup.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Text/TailTruncatingLabel.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tessarin {
namespace {

using Guide = TessarinPrivacyPermissionGuidePresenter;
using Permission = TessarinPrivacyPermission;

class TessarinPrivacyPermissionGuidePresenterTest : public HostWorld {
protected:
    TessarinPrivacyPermissionGuidePresenterTest() { tessarin::testing::ensureWidgetApplication(); }
    ~TessarinPrivacyPermissionGuidePresenterTest() override {
        tessarin::testing::flushDeferredDeletes();
    }

    // Where the panel really is, in host coordinates: its widget's geometry, which a layout
    // wider than the panel would have pushed open.
    Rect shownFrame() {
        const QRect shown = guide.panel()->geometry();
        return host.displays().fromWindowServer(
            Rect{static_cast<double>(shown.x()), static_cast<double>(shown.y()),
                 static_cast<double>(shown.width()), static_cast<double>(shown.height())});
    }

    std::optional<Rect> settingsWindow;
    int drags = 0;
    Guide guide{[] { return std::optional<std::string>("/Applications/Tessarin.app"); },
                [this] { return settingsWindow; },
                [this](QWidget&, const QString&, const QPixmap&) { ++drags; }};
};

TEST_F(TessarinPrivacyPermissionGuidePresenterTest, FindsTheFirstLargeLayerZeroSettingsWindow) {
    const auto window = [](const char* owner, int pid, Rect bounds, int layer = 0) {
        WindowInfo info;
        info.ownerName = owner;
        info.ownerPID = pid;
        info.bounds = bounds;
        info.layer = layer;
        return info;
    };
    const auto applications = [](int32_t pid) {
        return pid == 7 && SystemSettingsWindowLookup::isSystemSettingsBundle(
                               std::string("com.apple.SystemSettings"));
    };
    // clang-format off
    const std::tuple<const char*, std::vector<WindowInfo>, std::optional<Rect>> cases[] = {
        {"by name", {window("Finder", 1, {0, 0, 800, 600}), window("System Settings", 2, {10, 20, 700, 600})}, Rect{10, 20, 700, 600}},
        {"old name", {window("System Preferences", 2, {1, 2, 400, 300})}, Rect{1, 2, 400, 300}},
        {"by bundle", {window("Settings", 7, {5, 5, 500, 500})}, Rect{5, 5, 500, 500}},
        {"width 360 is too narrow", {window("System Settings", 2, {0, 0, 360, 500})}, std::nullopt},
        {"height 260 is too low", {window("System Settings", 2, {0, 0, 500, 260})}, std::nullopt},
        {"sheet layer", {window("System Settings", 2, {0, 0, 700, 600}, 8)}, std::nullopt},
        {"front one wins", {window("System Settings", 2, {1, 1, 700, 600}), window("System Settings", 2, {2, 2, 700, 600})}, Rect{1, 1, 700, 600}},
        {"unknown process", {window("Other", 9, {0, 0, 700, 600})}, std::nullopt},
    };
    // clang-format on
    for (const auto& [name, windows, expected] : cases) {
        EXPECT_EQ(SystemSettingsWindowLookup::find(windows, applications), expected) << name;
    }
}

TEST_F(TessarinPrivacyPermissionGuidePresenterTest, ConvertsThroughTheScreenHoldingTheCentre) {
    const std::vector<Screen> screens = host.displays().screens();
    const auto bounds = [this](DisplayID id) { return host.displays().bounds(id); };
    // Display A is 1440 x 900 at the origin; B (1920 x 1080) sits to its right.
    EXPECT_EQ(SystemSettingsWindowLookup::toScreen(Rect{100, 100, 700, 600}, screens, bounds),
              (Rect{100, 200, 700, 600}));
    EXPECT_EQ(SystemSettingsWindowLookup::toScreen(Rect{1540, 0, 800, 400}, screens, bounds),
              (Rect{1540, 500, 800, 400}));
    // Off every screen: window-server coordinates unchanged.
    EXPECT_EQ(SystemSettingsWindowLookup::toScreen(Rect{5000, 5000, 800, 400}, screens, bounds),
              (Rect{5000, 5000, 800, 400}));
}

TEST_F(TessarinPrivacyPermissionGuidePresenterTest, GlidesFromTheButtonOntoTheWindowThenFollowsIt) {
    guide.presentGuide(Permission::accessibility, Rect{100, 100, 80, 30});
    ASSERT_NE(guide.panel(), nullptr);
    // Still no System Settings window: the panel waits at the button.
    EXPECT_EQ(shownFrame(), (Rect{-180, 47, 640, 136}));
    EXPECT_DOUBLE_EQ(guide.panel()->alpha(), 0.92);
    queue.advance(0.2);
    EXPECT_EQ(shownFrame(), (Rect{-180, 47, 640, 136}));

    settingsWindow = Rect{200, 100, 500, 600}; // narrower than the panel: it overhangs
    queue.advance(0.05);
    EXPECT_TRUE(guide.isGliding());
    queue.advance(0.1);
    const Rect midway = shownFrame();
    EXPECT_GT(midway.minX(), -180);
    EXPECT_LT(midway.minX(), 130);
    queue.advance(0.3);
    EXPECT_FALSE(guide.isGliding());
    EXPECT_EQ(shownFrame(), (Rect{130, 124, 640, 136}));
    EXPECT_DOUBLE_EQ(guide.panel()->alpha(), 1.0);

    // A still window writes nothing; a moved one is followed at the next tick.
    const int writes = guide.panel()->frameWrites();
    queue.advance(1.0);
    EXPECT_EQ(guide.panel()->frameWrites(), writes);
    settingsWindow = Rect{300, 50, 700, 600};
    queue.advance(0.05);
    EXPECT_EQ(shownFrame(), (Rect{330, 74, 640, 136}));
    EXPECT_EQ(guide.panel()->frameWrites(), writes + 1);

    // Closed System Settings: the panel stays where it was.
    settingsWindow.reset();
    queue.advance(0.5);
    EXPECT_EQ(shownFrame(), (Rect{330, 74, 640, 136}));
}

TEST_F(TessarinPrivacyPermissionGuidePresenterTest, WithoutButtonOrWindowItCentresOnTheMainScreen) {
    guide.presentGuide(Permission::screenRecording, std::nullopt);
    ASSERT_NE(guide.panel(), nullptr);
    // The main screen's visible frame is 1440 x 875 at the origin; the half point widens the
    // integral frame by one.
    EXPECT_EQ(shownFrame(), (Rect{400, 369, 640, 137}));
    auto* label = guide.panel()->findChild<TailTruncatingLabel*>("health.guide.instruction");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Drag Tessarin to the list above to allow Screen Recording");
    // A text wider than its place ends in an ellipsis; the panel keeps its size.
    label->setText(label->text().repeated(3));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(label->shownText().endsWith(QChar(0x2026)));
    EXPECT_EQ(shownFrame(), (Rect{400, 369, 640, 137}));

    auto* close = guide.panel()->findChild<QPushButton*>("health.guide.close");
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(close->icon().isNull());
    close->click();
    EXPECT_FALSE(guide.isTracking());
    EXPECT_FALSE(guide.activePermission());
    EXPECT_FALSE(guide.panel()->isVisible());
}

TEST_F(TessarinPrivacyPermissionGuidePresenterTest, ADragStartsOnlyOnceThePointerMovedFourPoints) {
    guide.presentGuide(Permission::accessibility, std::nullopt);
    auto* tile = guide.panel()->findChild<TessarinAppBundleDragView*>("health.guide.tile");
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->appBundlePath(), "/Applications/Tessarin.app");
    tile->mouseDown({10, 10});
    tile->mouseDragged({13.9, 10});
    EXPECT_EQ(drags, 0);
    tile->mouseDragged({14, 10});
    tile->mouseDragged({40, 10});
    EXPECT_EQ(drags, 1);
}

TEST_F(TessarinPrivacyPermissionGuidePresenterTest, TheDefaultBundleIsTheAppAboveTheExecutable) {
    host.programBundle().setInfo({"com.example", "/Users/me/build",
                                  "/Users/me/Dev/Tessarin.app/Contents/MacOS/Tessarin", false,
                                  std::nullopt});
    EXPECT_EQ(Guide::defaultAppBundlePath(), "/Users/me/Dev/Tessarin.app");
    host.programBundle().setInfo(
        {"com.example", "/Users/me/build", "/Users/me/build/tessarin", true, std::nullopt});
    EXPECT_EQ(Guide::defaultAppBundlePath(), "/Applications/Tessarin.app");
    host.programBundle().setInfo(
        {"com.example", "/Users/me/build", "/Users/me/build/tessarin", false, std::nullopt});
    EXPECT_EQ(Guide::defaultAppBundlePath(), "/Users/me/build");
}

// Where nothing composes, the X server shows the guide over black; it stands on the ground of
// the appearance instead, as it shows over that appearance's windows, its text still white on it.
TEST_F(TessarinPrivacyPermissionGuidePresenterTest, WithoutACompositorTheGuideStandsOnItsGround) {
    struct Case {
        const char* name;
        Appearance appearance;
        QColor shown;
    };
    const Case cases[] = {
        {"light", Appearance::light, QColor(0x42, 0x42, 0x45)}, // not #19191D
        {"dark", Appearance::dark, QColor(0x1E, 0x1E, 0x21)},
    };
    const CompositingManager::ScopedAnswer withoutCompositor(false);
    for (const Case& c : cases) {
        host.system().setAppearance(c.appearance);
        queue.runUntilIdle();
        PermissionGuidePanel panel(Rect{0, 0, Guide::width, Guide::height});
        QImage seen(panel.size(), QImage::Format_RGB32);
        seen.fill(Qt::black);
        QPainter(&seen).drawImage(0, 0, panel.grab().toImage());
        const QColor centre = seen.pixelColor(panel.rect().center());
        EXPECT_LE(std::abs(centre.red() - c.shown.red()), 1) << c.name;
        EXPECT_LE(std::abs(centre.blue() - c.shown.blue()), 1) << c.name;
    }
}

} // namespace
} // namespace tessarin
