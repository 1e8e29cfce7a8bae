// The System page's App Filter sheet: the entries it edits, and the sheet's life.

#include "Model/Settings/OSDAppFilterSetting.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/System/AppFilterEntryEditing.h"
#include "UI/Preferences/System/SystemSettingsViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tessarin {

namespace Editing = AppFilterEntryEditing;

void SystemSettingsViewController::showAppFilterSheet() {
    appFilterEntries_ = OSDAppFilterSetting::persistedEntries(defaults_);
    makeAppFilterSheet();
    appFilterSheet_.reload(appFilterEntries_);
    refreshAppFilterControls();
    if (QWidget* window = view()->window(); window != view()) {
        appFilterSheet_.sheet->begin(*window);
    }
}

void SystemSettingsViewController::makeAppFilterSheet() {
    if (appFilterSheet_.sheet) {
        return;
    }
    appFilterSheet_ = AppFilterSheet::make({
        [this] { addAppFilterEntry(); },
        [this] { removeSelectedAppFilterEntry(); },
        [this] { closeAppFilterSheet(); },
        [this] { appFilterTextChanged(); },
        [this] { appFilterSelectionChanged(); },
    });
}

void SystemSettingsViewController::addAppFilterEntry() {
    if (!appFilterSheet_.sheet) {
        return;
    }
    if (auto added =
            Editing::adding(appFilterEntries_, appFilterSheet_.textField->text().toStdString())) {
        appFilterEntries_ = std::move(*added);
        persistAppFilterEntries();
        appFilterSheet_.reload(appFilterEntries_);
    }
    appFilterSheet_.textField->clear();
    refreshAppFilterControls();
}

void SystemSettingsViewController::removeSelectedAppFilterEntry() {
    if (!appFilterSheet_.sheet) {
        return;
    }
    auto removal = Editing::removing(appFilterEntries_, appFilterSheet_.selectedRow());
    if (!removal) {
        return;
    }
    appFilterEntries_ = std::move(removal->entries);
    persistAppFilterEntries();
    appFilterSheet_.reload(appFilterEntries_);
    if (removal->selectedRow) {
        appFilterSheet_.selectRow(*removal->selectedRow);
    }
    refreshAppFilterControls();
}

void SystemSettingsViewController::persistAppFilterEntries() {
    OSDAppFilterSetting::persist(appFilterEntries_, defaults_);
    if (appFilterRow_ && appFilterRow_->detailLabel() != nullptr) {
        appFilterRow_->detailLabel()->setText(
            QString::fromStdString(OSDAppFilterSetting::summary(defaults_)));
    }
}

void SystemSettingsViewController::refreshAppFilterControls() {
    if (!appFilterSheet_.sheet) {
        return;
    }
    appFilterSheet_.addButton->setEnabled(
        Editing::canAdd(appFilterSheet_.textField->text().toStdString()));
    appFilterSheet_.removeButton->setEnabled(
        Editing::canRemove(appFilterEntries_, appFilterSheet_.selectedRow()));
}

void SystemSettingsViewController::appFilterTextChanged() {
    refreshAppFilterControls();
}

void SystemSettingsViewController::appFilterSelectionChanged() {
    refreshAppFilterControls();
}

void SystemSettingsViewController::closeAppFilterSheet() {
    if (!appFilterSheet_.sheet) {
        return;
    }
    appFilterSheet_.sheet->end();
    // "Done" is pressed inside the sheet, so the sheet goes once that press has returned; the
    // next opening builds a new one.
    appFilterSheet_.sheet->deleteLater();
    appFilterSheet_ = AppFilterSheet{};
}

} // namespace tessarin
