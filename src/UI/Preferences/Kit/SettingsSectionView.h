#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QWidget>
#include <vector>

class QLabel;

namespace tessarin {

class SettingsCardView;

// A section of a page: its title over a card of its rows.
class SettingsSectionView final : public QWidget {
    Q_OBJECT

public:
    // Takes the rows; the title label is named `titleIdentifier`.
    SettingsSectionView(const QString& title, const QString& titleIdentifier,
                        const std::vector<QWidget*>& rows, QWidget* parent = nullptr);

    QLabel* titleLabel() const { return titleLabel_; }
    SettingsCardView* card() const { return card_; }

private:
    void applyAppearance();

    QLabel* titleLabel_;
    SettingsCardView* card_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
