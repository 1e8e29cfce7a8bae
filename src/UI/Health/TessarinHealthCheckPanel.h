#pragma once

#include "Platform/Screen.h"
#include "Support/Geometry.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"

#include <functional>
#include <optional>

namespace tessarin {

// The health window: a preferences panel that floats (stays on top) at level 3 while the wizard
// waits for the user and is an ordinary window at level 0 otherwise. Its frame lives in host
// screen coordinates (y up); closing asks the owner first. A shown window changes its level and
// close button in place: it is never hidden and mapped again for it, which a window manager
// would take as a new window to activate.
class TessarinHealthCheckPanel final : public PreferencesPanel {
    Q_OBJECT
public:
    static constexpr int floatingLevel = 3;
    static constexpr int normalLevel = 0;

    explicit TessarinHealthCheckPanel(const Rect& contentRect);

    int level() const { return level_; }
    bool isFloatingPanel() const { return floating_; }
    // Level 3 floats the panel, 0 makes it an ordinary window.
    void setFloatingLevel(bool floating);

    bool isCloseButtonHidden() const { return closeButtonHidden_; }
    bool isCloseButtonEnabled() const { return closeButtonEnabled_; }
    void setCloseButtonShown(bool shown);

    bool isMiniaturized() const { return isMinimized(); }
    const Rect& hostFrame() const { return hostFrame_; }
    // The host screen the window stands on: the one holding its centre, else the main one.
    std::optional<Screen> hostScreen() const;
    void setHostFrame(const Rect& frame);
    void setHostFrameOrigin(Point origin) { setHostFrame(Rect{origin, hostFrame_.size}); }
    // As tall as `height` (its page's content at its width), never lower than it was made nor
    // taller than the visible part of its screen; the top edge stays unless the screen's bottom
    // would cut the window.
    void fitContentHeight(double height);

    bool isKeyWindow() const { return isKeyWindow_; }
    void makeKeyAndOrderFront();
    void orderFrontRegardless();

    // Asked before a close (button or keys); false keeps the window open.
    std::function<bool()> shouldClose;
    std::function<void()> willClose;
    std::function<void()> onBecomeKey;
    // Told when a mouse button or a key is pressed in the window, on any of its controls.
    std::function<void()> onUserInput;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyWindowFlags();
    void keepActiveFloatingWindowInFront();

    Rect hostFrame_;
    double designedHeight_;
    int level_ = floatingLevel;
    bool floating_ = true;
    bool closeButtonHidden_ = false;
    bool closeButtonEnabled_ = true;
    bool isKeyWindow_ = false;
};

} // namespace tessarin
