#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QColor>
#include <QWidget>

namespace tessarin {

// A hairline between two rows of a card (or above a sheet's footer), inset 16 on both sides.
class SettingsSeparatorView final : public QWidget {
    Q_OBJECT

public:
    explicit SettingsSeparatorView(QWidget* parent = nullptr);

    QColor lineColor() const { return lineColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyAppearance();

    QColor lineColor_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
