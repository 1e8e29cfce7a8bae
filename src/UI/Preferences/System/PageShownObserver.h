#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace tessarin {

// Calls `onShown` each time `view` is shown: when its page is chosen, or when its hidden window
// opens again. Lives as long as the view.
class PageShownObserver final : public QObject {
public:
    PageShownObserver(QWidget& view, std::function<void()> onShown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onShown_;
};

} // namespace tessarin
