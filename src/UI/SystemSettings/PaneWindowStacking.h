#pragma once

#include <QObject>

class QWidget;

namespace tessarin {

// How a pane of the host's System Settings stacks among the program's windows. While it has the
// keys it stands above the program's floating windows (the health window), as the key window of
// the application in front does, and below the program's floating panels (the permission guide,
// the status item), which point into it. Without the keys it is an ordinary window again, under
// the floating ones. A press anywhere on it brings it front with the keys, with a window manager
// or without one.
class PaneWindowStacking final : public QObject {
public:
    explicit PaneWindowStacking(QWidget& pane);
    ~PaneWindowStacking() override;
    PaneWindowStacking(const PaneWindowStacking&) = delete;
    PaneWindowStacking& operator=(const PaneWindowStacking&) = delete;

    // Raises the pane and gives it the keys; it stands above once it has them.
    void bringFront();
    bool standsAbove() const { return standsAbove_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setStandsAbove(bool above);
    void raiseFloatingPanels();

    QWidget& pane_;
    bool standsAbove_ = false;
};

} // namespace tessarin
