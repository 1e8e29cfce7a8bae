#include "Hotkeys/OSDKeyBindingStore.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSheet.h"

#include <QPushButton>

namespace tessarin {

namespace Id = KeyboardShortcutsViewIdentifier;

namespace {

const char* detailText(OSDKeyBindingAction action) {
    switch (action) {
    case OSDKeyBindingAction::hide:
        return "Closes the OSD without switching spaces. Modifiers are not "
               "allowed.";
    case OSDKeyBindingAction::select:
        return "Switches to the highlighted space. Modifiers are not allowed.";
    default:
        return "Moves the highlighted space. Modifiers are not allowed.";
    }
}

} // namespace

void KeyboardShortcutsViewController::showOSDKeybindsPage() {
    QWidget* sheet = makeOSDKeybindsSheet();
    refreshOSDKeybindControls();
    if (isInWindow()) {
        beginSheet(*sheet, *view()->window());
    }
}

QWidget* KeyboardShortcutsViewController::makeOSDKeybindsSheet() {
    if (osdKeybindsSheet_) {
        return osdKeybindsSheet_;
    }
    osdKeybindControls_.clear();
    auto* sheet = new SettingsSheet(
        QSize(520, 520), QStringLiteral("OSD Keybinds"),
        QStringLiteral("Customize the keys used while the OSD space picker is focused."));
    sheet->setWindowTitle("OSD Keybinds");
    // Return is a key the rows record: no button takes it.
    sheet->setDefaultButtonTakesReturn(false);
    std::vector<QWidget*> rows;
    for (OSDKeyBindingAction action : kAllOSDKeyBindingActions) {
        rows.push_back(makeOSDKeybindRow(action));
    }
    sheet->setSection(
        new SettingsSectionView("Controls", Id::osdKeybindsControlsSectionTitle, rows));
    sheet
        ->addLeadingButton("Reset Defaults",
                           weakly([](auto& page) { page.resetOSDKeybindsToDefaults(); }))
        ->setObjectName(Id::osdKeybindsResetDefaultsControl);
    sheet->addButton("Done", true, weakly([](auto& page) { page.closeOSDKeybindsSheet(); }))
        ->setObjectName(Id::osdKeybindsDoneControl);
    osdKeybindsSheet_ = sheet;
    return sheet;
}

QWidget* KeyboardShortcutsViewController::makeOSDKeybindRow(OSDKeyBindingAction action) {
    auto* control = new OSDKeyBindingRecorderControl(action, osdKeyBindingStore_.binding(action),
                                                     QRect(0, 0, 150, 22));
    control->setObjectName(QString::fromStdString(Id::osdKeybindRecorder(action)));
    control->onRecordingComplete = weakly([action](auto& page, const OSDKeyBinding& binding) {
        page.recordOSDKeyBinding(binding, action);
    });
    osdKeybindControls_[action] = control;
    return new SettingsRowView(QString::fromStdString(osdKeyBindingTitle(action)),
                               QString(detailText(action)), control);
}

void KeyboardShortcutsViewController::recordOSDKeyBinding(const OSDKeyBinding& binding,
                                                          OSDKeyBindingAction action) {
    const std::optional<OSDKeyBindingStoreError> error =
        osdKeyBindingStore_.setBinding(binding, action);
    if (error) {
        Host::current().system().beep();
    }
    refreshOSDKeybindControls();
    if (error) {
        KeyboardShortcutAlerts::showOSDKeyBindingError(*error, action);
    }
}

void KeyboardShortcutsViewController::refreshOSDKeybindControls() {
    for (OSDKeyBindingAction action : kAllOSDKeyBindingActions) {
        const auto found = osdKeybindControls_.find(action);
        if (found != osdKeybindControls_.end()) {
            found->second->setCurrentBinding(osdKeyBindingStore_.binding(action));
        }
    }
}

void KeyboardShortcutsViewController::resetOSDKeybindsToDefaults() {
    osdKeyBindingStore_.resetToDefaults();
    refreshOSDKeybindControls();
}

void KeyboardShortcutsViewController::closeOSDKeybindsSheet() {
    if (osdKeybindsSheet_) {
        endSheet(*osdKeybindsSheet_);
        // Done is pressed inside the sheet, so the sheet goes once that press has
        // returned.
        osdKeybindsSheet_->deleteLater();
    }
    osdKeybindsSheet_ = nullptr;
    osdKeybindControls_.clear();
}

} // namespace tessarin
