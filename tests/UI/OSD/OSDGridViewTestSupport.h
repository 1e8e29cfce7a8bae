#pragma once

#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "TestApplication.h"
#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDGridView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tessarin::testing {

// Widgets need an application object; the suite shares one for the whole run.
inline void ensureApplication() {
    ensureTestApplication();
}

// A grid view of a fixed size on the virtual main queue.
class OSDGridViewTest : public ::testing::Test {
protected:
    static constexpr int viewWidth = 552;
    static constexpr int viewHeight = 320;

    OSDGridViewTest() { view.resize(viewWidth, viewHeight); }

    void show(const OSDGridPresentation& presentation) {
        view.pendingPresentation = presentation;
        view.renderPendingPresentation();
    }
    void showStatic(const OSDGridModel& model) { show(OSDGridPresentation::staticGrid(model)); }

    // The cell frames the view lays the model out in.
    OSDGridLayout layoutOf(const OSDGridModel& model) const {
        const auto& settings = view.appearanceSettings();
        const double glow = settings.activeSpaceGlowOpacity.rawValue >= 1
                                ? settings.activeSpaceGlowSpread.rawValue
                                : 0;
        const double inset = std::ceil(settings.activeSpaceBorderWidth.rawValue * 0.5 + glow);
        return OSDGridLayout::make(model, {viewWidth, viewHeight}, inset).value();
    }

    QImage render() {
        QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view.drawGrid(painter);
        return image;
    }

    // The pixel at a point of the view's y-up geometry.
    static QColor pixel(const QImage& image, Point point) {
        return image.pixelColor(static_cast<int>(point.x),
                                static_cast<int>(image.height() - 1 - point.y));
    }

    // Declared first, so the application exists before the view is made.
    struct ApplicationReady {
        ApplicationReady() { ensureApplication(); }
    } applicationReady;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    // The host supplies the symbols the cells draw.
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    OSDGridView view;
};

} // namespace tessarin::testing
