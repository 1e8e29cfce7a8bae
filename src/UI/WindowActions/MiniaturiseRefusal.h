#pragma once

#include <QObject>

class QWidget;

namespace tessarin {

// Brings a window that may not be miniaturised straight back when a window manager miniaturises
// it anyway (some offer the button whatever the window tells them).
class MiniaturiseRefusal final : public QObject {
public:
    // Lives as long as `window`, as its child.
    explicit MiniaturiseRefusal(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore();

    QWidget& window_;
    bool restoring_ = false;
};

} // namespace tessarin
