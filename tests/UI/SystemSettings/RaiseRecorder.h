#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <vector>

namespace tessarin::testing {

// Records which top-level windows were raised, in order.
class RaiseRecorder : public QObject {
public:
    RaiseRecorder() { qApp->installEventFilter(this); }
    ~RaiseRecorder() override { qApp->removeEventFilter(this); }
    std::vector<QObject*> raised;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            raised.push_back(watched);
        }
        return false;
    }
};

} // namespace tessarin::testing
