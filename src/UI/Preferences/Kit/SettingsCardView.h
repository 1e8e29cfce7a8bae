#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QColor>
#include <QWidget>
#include <vector>

class QVBoxLayout;

namespace tessarin {

// A rounded card of rows, one under the other, with a hairline between each two.
class SettingsCardView final : public QWidget {
    Q_OBJECT

public:
    // Takes the rows.
    explicit SettingsCardView(const std::vector<QWidget*>& rows, QWidget* parent = nullptr);

    QVBoxLayout* stackView() const { return stackView_; }
    QColor backgroundColor() const { return backgroundColor_; }
    QColor borderColor() const { return borderColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyAppearance();

    QVBoxLayout* stackView_;
    QColor backgroundColor_;
    QColor borderColor_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
