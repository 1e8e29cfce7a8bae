#include "UI/Preferences/System/PageShownObserver.h"

#include <QEvent>
#include <QWidget>

namespace tessarin {

PageShownObserver::PageShownObserver(QWidget& view, std::function<void()> onShown)
    : QObject(&view), onShown_(std::move(onShown)) {
    view.installEventFilter(this);
}

bool PageShownObserver::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Show) {
        onShown_();
    }
    return false;
}

} // namespace tessarin
