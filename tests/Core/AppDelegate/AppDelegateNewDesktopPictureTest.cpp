#include "Core/Fakes/PreviewOrchestrationWorld.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDWindow.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The preview scenario with the Dock running, so Mission Control can add Desktops.
Scenario withDock() {
    Scenario scenario = fakes::previewOrchestrationScenario();
    scenario.applications.push_back(RunningApplication{97, std::string("com.apple.dock"), "Dock"});
    scenario.dockProcessIdentifier = 97;
    return scenario;
}

bool isOneFlatColour(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (pixels.pixel(x, y) != pixels.pixel(0, 0)) {
                return false;
            }
        }
    }
    return true;
}

// A delegate that is its own preview caches and shows its grids in the real OSD window; the
// window-list scans and captures wait on a step-by-step executor until a test runs them.
class AppDelegateNewDesktopPictureTest : public ::testing::Test {
protected:
    AppDelegateNewDesktopPictureTest()
        : world(withDock(), [this](AppDelegateDependencies& dependencies) {
              testing::ensureApplication();
              window = std::make_shared<OSDWindow>(nullptr);
              dependencies.osdWindow = window;
              dependencies.windowPreviews = nullptr;
              dependencies.presentation = nullptr;
              dependencies.shell = nullptr;
              dependencies.previewExecutor = executor;
          }) {
        world.host.screenCapture().setExecutor(executor);
        d().presentationStore.setScreenshotCaptureMode(OSDGridScreenshotCaptureMode::window);
        d().gridModeStore.isEnabled.set(true);
        d().refreshSpaceInfo();
        // As at launch: every Space there is gets its preview.
        d().primeWindowSpaceMetadataAndPreviews();
        drain();
    }
    ~AppDelegateNewDesktopPictureTest() override {
        world.delegate.reset();
        window.reset();
    }

    AppDelegate& d() { return world.d(); }
    void drain() {
        do {
            world.queue.runUntilIdle();
        } while (executor->runJob());
    }
    std::optional<OSDGridModel> shown() { return window->currentGridModel("UUID-A"); }
    QToolButton* addDesktopButton() {
        for (auto* button : window->gridWindow()->findChildren<QToolButton*>()) {
            if (button->toolTip() == "Add desktop") {
                return button;
            }
        }
        return nullptr;
    }
    // Runs the main queue on the virtual clock, a little at a time, without any background
    // scan or capture, until the grid shows `count` cells again; false when it never does.
    bool advanceUntilShownWith(int64_t count) {
        for (int step = 0; step < 500; ++step) {
            world.queue.advance(0.01);
            if (shown() && shown()->spaceCount() == count && window->isGridVisible("UUID-A")) {
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    std::shared_ptr<OSDWindow> window;
    fakes::World world;
};

// The new Desktop's cell shows the desktop picture from the moment the grid shows it again,
// before any scan or capture ran: the very picture a captured Space without windows shows.
TEST_F(AppDelegateNewDesktopPictureTest,
       ADesktopAddedWithThePlusButtonShowsTheDesktopPictureAtOnce) {
    d().toggleOSDSpacePicker(nullptr);
    drain();
    ASSERT_TRUE(shown());
    const int64_t before = shown()->spaceCount();
    ASSERT_TRUE(shown()->cellScreenshots().contains(0)) << "the Spaces there were are pictured";
    QToolButton* add = addDesktopButton();
    ASSERT_NE(add, nullptr);
    ASSERT_FALSE(add->isHidden());

    add->click();
    ASSERT_TRUE(advanceUntilShownWith(before + 1));

    const int64_t added = before;
    const auto cell = shown()->appearance(added);
    ASSERT_TRUE(cell);
    EXPECT_NE(cell->kind(), OSDGridCellAppearance::Kind::inactivePlaceholder) << "a flat fill";
    ASSERT_TRUE(cell->screenshot());
    const QImage first = cell->screenshot()->image;
    ASSERT_FALSE(first.isNull());
    EXPECT_FALSE(isOneFlatColour(first));

    // Space 103 holds no window either: its picture came through a capture at launch.
    const auto windowless = shown()->cellScreenshots().find(2);
    ASSERT_NE(windowless, shown()->cellScreenshots().end());
    EXPECT_TRUE(haveSamePixels(first, windowless->second.image))
        << "the new cell differs from a captured Space without windows";
}

} // namespace
} // namespace tessarin
