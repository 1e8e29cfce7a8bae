#include "Hotkeys/OSDKeyBindingStore.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsFooterView.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSeparatorView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

QLabel* headerLabel(const char* text, int pointSize, bool semibold) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSize(pointSize);
    if (semibold) {
        font.setWeight(QFont::DemiBold);
    } else {
        label->setForegroundRole(QPalette::PlaceholderText);
        label->setWordWrap(true);
    }
    label->setFont(font);
    return label;
}

// A sheet button that Return never presses: Return is a key the sheet records.
QPushButton* sheetButton(const char* title, const char* identifier) {
    auto* button = new QPushButton(title);
    button->setObjectName(identifier);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget* sheetFooter(QPushButton* reset, QPushButton* done) {
    auto* footer = new SettingsFooterView;
    footer->setFixedHeight(72);
    auto* separator = new SettingsSeparatorView;
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(40, 0, 40, 0);
    done->setMinimumWidth(86);
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(done);
    auto* layout = new QVBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(separator);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return footer;
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
    auto* sheet = new SettingsContentBackgroundView;
    sheet->setWindowTitle("OSD Keybinds");
    sheet->setFixedSize(520, 520);

    auto* header = new QVBoxLayout;
    header->setSpacing(4);
    header->addWidget(headerLabel("OSD Keybinds", 20, true));
    header->addWidget(
        headerLabel("Customize the keys used while the OSD space picker is focused.", 13, false));
    std::vector<QWidget*> rows;
    for (OSDKeyBindingAction action : kAllOSDKeyBindingActions) {
        rows.push_back(makeOSDKeybindRow(action));
    }
    auto* main = new QVBoxLayout;
    main->setContentsMargins(40, 28, 40, 0);
    main->setSpacing(16);
    main->addLayout(header);
    main->addWidget(new SettingsSectionView("Controls", Id::osdKeybindsControlsSectionTitle, rows));

    QPushButton* reset = sheetButton("Reset Defaults", Id::osdKeybindsResetDefaultsControl);
    QPushButton* done = sheetButton("Done", Id::osdKeybindsDoneControl);
    QObject::connect(reset, &QPushButton::clicked, reset,
                     weakly([](auto& page, bool) { page.resetOSDKeybindsToDefaults(); }));
    QObject::connect(done, &QPushButton::clicked, done,
                     weakly([](auto& page, bool) { page.closeOSDKeybindsSheet(); }));

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(24);
    layout->addLayout(main);
    layout->addStretch(1);
    layout->addWidget(sheetFooter(reset, done));
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
