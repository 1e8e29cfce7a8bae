#pragma once

#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <optional>
#include <vector>

class QVBoxLayout;

namespace tessarin {

class SettingsPopUpButton;

// The host's Trackpad pane on the system's own gestures another program's swipes and taps
// contend with: swiping between full-screen applications, the Mission Control and App Exposé
// swipes, looking up with a three-finger tap and three-finger drag. Each has a pop-up with the
// ways it is made and "Off".
class TrackpadPaneWindow final : public SystemSettingsPaneWindow {
    Q_OBJECT

public:
    explicit TrackpadPaneWindow(SystemSettings& settings);

    // The name of a gesture's pop-up.
    static QString popUpName(TrackpadGesture gesture);
    // What a pop-up's item says for a way of making the gesture.
    static QString choiceTitle(TrackpadGesture gesture, TrackpadGestureFingers fingers);

protected:
    bool takePane(const std::string& pane) override;
    void rebuild() override;

private:
    SettingsPopUpButton* makePopUp(const TrackpadPaneEntry& entry);

    std::optional<std::vector<TrackpadPaneEntry>> shown_;
    QVBoxLayout* section_;
};

} // namespace tessarin
