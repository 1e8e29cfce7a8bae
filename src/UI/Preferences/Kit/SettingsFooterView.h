#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QColor>
#include <QWidget>

namespace tessarin {

// The bar at the bottom of a settings sheet that holds its buttons, in the window background.
class SettingsFooterView final : public QWidget {
    Q_OBJECT

public:
    explicit SettingsFooterView(QWidget* parent = nullptr);

    QColor backgroundColor() const { return backgroundColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyAppearance();

    QColor backgroundColor_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
