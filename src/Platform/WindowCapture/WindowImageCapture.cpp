#include "Platform/WindowCapture/WindowImageCapture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

namespace tessarin {

namespace {

const QWindow* ownWindow(WindowID number) {
    for (const QWindow* window : QGuiApplication::allWindows()) {
        if (window->handle() != nullptr && window->winId() == number) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

std::optional<QImage> WindowImageCapture::createImage(uint32_t listOptions, WindowID window,
                                                      uint32_t /*imageOptions*/) const {
    // Windows here have no frame or shadow to leave out, and are captured at their backing
    // store's own resolution, so both image options are what every capture does anyway.
    if (refused_ || listOptions != WindowListOption::includingWindow ||
        QGuiApplication::instance() == nullptr) {
        return std::nullopt;
    }
    const QWindow* found = ownWindow(window);
    if (found == nullptr || !found->isVisible() || found->screen() == nullptr) {
        return std::nullopt;
    }
    const QImage image = found->screen()->grabWindow(found->winId()).toImage();
    return image.isNull() ? std::nullopt : std::optional<QImage>(image);
}

} // namespace tessarin
