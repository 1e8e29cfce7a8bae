#pragma once

#include "Platform/MachineDesktop/WindowActions.h"

#include <QObject>

class QWidget;

namespace tessarin {

// Tells the window manager what a window of the program allows (WindowManagerHints), as soon as
// the window exists, each time it is shown and at each change; a window that may not be
// miniaturised comes straight back when the window manager does it anyway. Lives as long as the
// window, as its child.
class AllowedWindowActions final : public QObject {
public:
    // The window's, made on the first call; `actions` replace those it told before.
    static AllowedWindowActions& allow(QWidget& window, const WindowActions& actions);
    // What the window tells the window manager; none when it tells nothing.
    static const WindowActions* of(const QWidget& window);

    // Tells again, also after a change of the window's flags, for which Qt writes its own hints.
    void setActions(const WindowActions& actions);
    const WindowActions& actions() const { return actions_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AllowedWindowActions(QWidget& window, const WindowActions& actions);
    void tell();

    QWidget& window_;
    WindowActions actions_;
    bool refusesMiniaturising_ = false;
};

} // namespace tessarin
