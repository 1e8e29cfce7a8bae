#pragma once

#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <optional>

class QVBoxLayout;

namespace tessarin {

class SettingsSwitch;

// The host's Desktop & Dock pane on its Mission Control switches: "Automatically rearrange
// Spaces based on most recent use" and "Displays have separate Spaces".
class DesktopAndDockPaneWindow final : public SystemSettingsPaneWindow {
    Q_OBJECT

public:
    static constexpr const char* autoRearrangeSwitchName =
        "systemSettings.desktopAndDock.switch.autoRearrange";
    static constexpr const char* separateSpacesSwitchName =
        "systemSettings.desktopAndDock.switch.separateSpaces";

    explicit DesktopAndDockPaneWindow(SystemSettings& settings);

protected:
    bool takePane(const std::string& pane) override;
    void rebuild() override;

private:
    struct Shown {
        bool automaticallyRearranges = false;
        bool separateSpaces = false;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    SettingsSwitch* makeSwitch(const char* name, bool on, void (DesktopAndDockPane::*set)(bool));

    std::optional<Shown> shown_;
    QVBoxLayout* section_;
};

} // namespace tessarin
