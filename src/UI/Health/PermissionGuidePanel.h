#pragma once

#include "Support/Geometry.h"

#include <QWidget>

namespace tessarin {

// The guide's panel: floats at level 3 on every Space, never becomes key or main and never
// activates the program. Drawn as a translucent rounded HUD; its frame lives in host screen
// coordinates (y up).
class PermissionGuidePanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int level = 3;
    static constexpr double cornerRadius = 18;
    static constexpr bool canBecomeKey() { return false; }
    static constexpr bool canBecomeMain() { return false; }

    explicit PermissionGuidePanel(const Rect& contentRect);

    const Rect& hostFrame() const { return hostFrame_; }
    void setHostFrame(const Rect& frame);
    double alpha() const { return alpha_; }
    void setAlpha(double alpha);
    // How many times the frame was applied; a still System Settings window adds none.
    int frameWrites() const { return frameWrites_; }
    void orderFrontRegardless();
    void orderOut() { hide(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Rect hostFrame_;
    double alpha_ = 1;
    int frameWrites_ = 0;
};

} // namespace tessarin
