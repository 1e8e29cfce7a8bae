#include "UI/SystemSettings/SystemSettingsDeskOnScreen.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/MachineScreen.h"
#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <QApplication>
#include <QWidget>

namespace tessarin {

namespace {

Rect rectOf(const QRect& frame) {
    return {static_cast<double>(frame.x()), static_cast<double>(frame.y()),
            static_cast<double>(frame.width()), static_cast<double>(frame.height())};
}

Rect screenOf(Host& host) {
    if (const auto& area = MachineScreen::of(host).area()) {
        return *area;
    }
    std::optional<Rect> all;
    for (const Screen& screen : host.displays().screens()) {
        const Rect bounds = host.displays().bounds(screen.displayID);
        all = all ? all->united(bounds) : bounds;
    }
    return all.value_or(Rect{});
}

// The health window counts also while it stepped back for a moment: it floats again at the
// next refresh of its step.
bool floatsAsAWindow(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    const bool floats = window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ||
                        window.inherits("tessarin::TessarinHealthCheckPanel");
    return floats && window.isVisible() && !window.isMinimized() &&
           (type == Qt::Window || type == Qt::Dialog) &&
           !SystemSettingsPaneWindow::isPaneWindow(window);
}

// What the window manager draws around a titled window; none before it framed one.
SystemSettingsDesk::FrameMargins marginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect content = window.geometry();
    return {static_cast<double>(content.left() - frame.left()),
            static_cast<double>(content.top() - frame.top()),
            static_cast<double>(frame.right() - content.right()),
            static_cast<double>(frame.bottom() - content.bottom())};
}

} // namespace

// System Settings' window is framed as a pane was before, or else as the floating windows are.
SystemSettingsDesk readSystemSettingsDesk(Host& host) {
    SystemSettingsDesk desk{screenOf(host), {}, {}};
    bool paneFramed = false;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (floatsAsAWindow(*window)) {
            desk.floatingWindows.push_back(rectOf(window->frameGeometry()));
            if (!paneFramed) {
                desk.frameMargins = marginsOf(*window);
            }
        } else if (SystemSettingsPaneWindow::isPaneWindow(*window) &&
                   window->testAttribute(Qt::WA_WState_Created) &&
                   window->frameGeometry() != window->geometry()) {
            desk.frameMargins = marginsOf(*window);
            paneFramed = true;
        }
    }
    return desk;
}

} // namespace tessarin
