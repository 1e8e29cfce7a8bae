#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;

namespace tessarin {

// A settings row: a title, an optional detail line under it, and a control on the right that
// keeps its size while the title wraps.
class SettingsRowView final : public QWidget {
    Q_OBJECT

public:
    // Takes the control. Identifiers name the row, the control and the detail label.
    SettingsRowView(const QString& title, const std::optional<QString>& detail,
                    QWidget* controlView, const std::optional<QString>& rowIdentifier = {},
                    const std::optional<QString>& controlIdentifier = {},
                    const std::optional<QString>& detailIdentifier = {}, QWidget* parent = nullptr);
    // A kept control goes back to its page's shelf. A row deleted late, after its control and
    // page are gone, touches nothing.
    ~SettingsRowView() override;

    // The space above and below the row's content; a list of rows whose controls are as tall
    // as their titles need less than the page's rows, where a control sits in a title's line.
    void setVerticalInset(int inset);

    // Enables or disables the control and shows the labels in the matching colours.
    void applyEnabledState(bool enabled);
    bool isEnabledState() const { return enabled_; }

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* detailLabel() const { return detailLabel_; }
    QWidget* controlView() const { return controlView_; }

private:
    void applyLabelColors();

    QLabel* titleLabel_;
    QLabel* detailLabel_ = nullptr;
    // Kept controls may die with their page's shelf before a row deleted later.
    QPointer<QWidget> controlView_;
    bool enabled_ = true;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
