#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace tessarin {

// The Trackpad page's setup row: title and status line on top, the sentences under them, and
// the button that opens the system's Trackpad settings at the bottom right.
class TrackpadSystemGestureRequirementRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* rowIdentifier = "trackpad.row.systemGestureRequirement";
    static constexpr const char* detailIdentifier = "trackpad.detail.systemGestureRequirement";

    // Takes the status view and the button for as long as the row lives.
    TrackpadSystemGestureRequirementRow(const QString& title, const QString& detail,
                                        QWidget* statusView, QWidget* openSettingsButton,
                                        QWidget* parent = nullptr);
    ~TrackpadSystemGestureRequirementRow() override;

    QLabel* detailLabel() const { return detailLabel_; }

private:
    // The sentences in the secondary colour of the current appearance, again when it changes.
    void applyDetailColor();

    QLabel* detailLabel_;
    QPointer<QWidget> statusView_;
    QPointer<QWidget> openSettingsButton_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
