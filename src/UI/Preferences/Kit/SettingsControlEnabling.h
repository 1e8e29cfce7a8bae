#pragma once

namespace tessarin {

// A control made of several parts (a composite view): enables or disables all of them and dims
// its own labels, so a settings row can switch it as a whole.
class SettingsControlEnabling {
public:
    virtual ~SettingsControlEnabling() = default;
    virtual void applySettingsEnabledState(bool enabled) = 0;
};

} // namespace tessarin

class QWidget;

namespace tessarin {

// A row's control: a composite adopting the protocol applies it; a plain control (button,
// pop-up, slider, text field, segmented control) is enabled or disabled; any other view is
// left alone.
void applySettingsControlEnabledState(QWidget& control, bool enabled);

} // namespace tessarin
