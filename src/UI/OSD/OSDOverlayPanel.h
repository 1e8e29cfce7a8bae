#pragma once

#include "Platform/Input/Event.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <QWidget>
#include <functional>
#include <optional>

namespace tessarin {

// The window of every OSD grid: a panel that may take keys without activating the program's
// other windows. Its frame lives in host screen coordinates (y up) and is turned into Qt's
// against the host's main screen in one place.
class OSDOverlayPanel final : public QWidget {
public:
    explicit OSDOverlayPanel(const Rect& contentRect);

    // Offered every key-down that reaches the panel; true means handled.
    std::function<bool(const Event&)> keyDownHandler;
    // Offered every cancel request (Escape, Command-period); true means handled.
    std::function<bool()> cancelOperationHandler;

    static bool canBecomeKeyWindow() { return true; }
    static bool canBecomeMainWindow() { return false; }
    // A key-down whose shortcut modifiers are exactly Command, on the period key or typing ".".
    static bool isCommandPeriod(const Event& event);

    // True when the cancel handler took a Command-period; otherwise the platform's answer.
    bool performKeyEquivalent(const Event& event);
    // Returns whether the panel's handlers took the key; the platform's default handling
    // (nothing here) follows when they did not.
    bool keyDown(const Event& event);
    bool cancelOperation();

    const Rect& hostFrame() const { return hostFrame_; }
    void setHostFrame(const Rect& frame);
    void setHostFrameOrigin(Point origin);
    void setContentSize(Size size);

    double alpha() const { return alpha_; }
    void setAlpha(double alpha);
    bool ignoresMouseEvents() const { return ignoresMouseEvents_; }
    void setIgnoresMouseEvents(bool ignores);
    bool acceptsMouseMovedEvents() const { return acceptsMouseMovedEvents_; }
    void setAcceptsMouseMovedEvents(bool accepts);

    // The window server's number of the panel, for captures.
    WindowID windowNumber() { return static_cast<WindowID>(winId()); }

    bool isKeyWindow() const { return isKeyWindow_; }
    void makeKeyAndOrderFront();
    void orderFrontRegardless();
    void orderOut();

    // The radius of the rounded shape drawn inside the panel; 0, the default, for none.
    void setCornerRadius(double radius);
    // The appearance a translucent panel's content is drawn in: where the desktop draws no
    // translucency, the panel stands on that appearance's ground. None, the default, for a
    // panel whose content covers it.
    void setBackingAppearance(std::optional<Appearance> appearance);

protected:
    // Escape asks for cancel; every other key goes through the key-down path as the host's event.
    void keyPressEvent(QKeyEvent* event) override;
    // Cut to its rounded shape, when it has one, where the desktop draws no translucency.
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Rect hostFrame_;
    double alpha_ = 1;
    bool ignoresMouseEvents_ = true;
    bool acceptsMouseMovedEvents_ = false;
    bool isKeyWindow_ = false;
    double cornerRadius_ = 0;
    std::optional<Appearance> backingAppearance_;
};

} // namespace tessarin
