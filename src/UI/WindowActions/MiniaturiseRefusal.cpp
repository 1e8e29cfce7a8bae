#include "UI/WindowActions/MiniaturiseRefusal.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace tessarin {

MiniaturiseRefusal::MiniaturiseRefusal(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

bool MiniaturiseRefusal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
        window_.isMinimized() && !restoring_) {
        // On a later turn: the window system is still taking the window away on this one.
        restoring_ = true;
        QMetaObject::invokeMethod(
            this, [this] { restore(); }, Qt::QueuedConnection);
    }
    return false;
}

void MiniaturiseRefusal::restore() {
    restoring_ = false;
    if (!window_.isMinimized()) {
        return;
    }
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

} // namespace tessarin
