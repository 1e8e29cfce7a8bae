#include "UI/WindowActions/AllowedWindowActions.h"

#include "Platform/MachineDesktop/WindowManagerHints.h"
#include "UI/WindowActions/MiniaturiseRefusal.h"

#include <QEvent>
#include <QWidget>

namespace tessarin {

namespace {

const QString kObjectName = QStringLiteral("allowedWindowActions");

AllowedWindowActions* attachedTo(const QWidget& window) {
    return window.findChild<AllowedWindowActions*>(kObjectName, Qt::FindDirectChildrenOnly);
}

} // namespace

AllowedWindowActions::AllowedWindowActions(QWidget& window, const WindowActions& actions)
    : QObject(&window), window_(window), actions_(actions) {
    setObjectName(kObjectName);
    window_.installEventFilter(this);
    setActions(actions);
}

AllowedWindowActions& AllowedWindowActions::allow(QWidget& window, const WindowActions& actions) {
    auto* existing = attachedTo(window);
    if (existing == nullptr) {
        return *new AllowedWindowActions(window, actions);
    }
    existing->setActions(actions);
    return *existing;
}

const WindowActions* AllowedWindowActions::of(const QWidget& window) {
    const auto* existing = attachedTo(window);
    return existing != nullptr ? &existing->actions_ : nullptr;
}

void AllowedWindowActions::setActions(const WindowActions& actions) {
    actions_ = actions;
    if (!actions_.miniaturise && !refusesMiniaturising_) {
        refusesMiniaturising_ = true;
        new MiniaturiseRefusal(window_);
    }
    tell();
}

void AllowedWindowActions::tell() {
    if (window_.testAttribute(Qt::WA_WState_Created)) {
        WindowManagerHints::tell(window_.winId(), actions_);
    }
}

// Qt writes the window's hints when it makes its native window, before it is shown.
bool AllowedWindowActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange)) {
        tell();
    }
    return false;
}

} // namespace tessarin
