#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/OSDKeyBinding.h"
#include "Hotkeys/OSDKeyBindingAction.h"
#include "UI/Preferences/Keyboard/ShortcutRowModel.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace tessarin {

// The click-to-record controls of the Keyboard page's rows and of its grid-key sheet, made in
// one place so the rows only hand over what to show and where results go.
namespace KeyboardRecorderControls {

// A recorder showing `shown`, or "None".
QWidget* hotkeyRecorder(const std::string& objectName,
                        const std::optional<HotkeyCombination>& shown,
                        std::function<void(const HotkeyCombination&)> onComplete);
// A hotkey slot's recorder followed by its clear and reset buttons.
QWidget* shortcutSettingControl(const ShortcutRowModel& model,
                                std::function<void(const HotkeyCombination&)> onComplete,
                                std::function<void()> onClear, std::function<void()> onReset);
QWidget* osdKeyRecorder(OSDKeyBindingAction action, const OSDKeyBinding& binding,
                        std::function<void(const OSDKeyBinding&)> onComplete);
void showOSDKeyBinding(QWidget& recorder, const OSDKeyBinding& binding);

} // namespace KeyboardRecorderControls

} // namespace tessarin
