#include "UI/Preferences/Keyboard/DirectSlotSettingsRowView.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/SettingsCheckBox.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tessarin {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

SymbolImageButton* symbolButton(const char* symbol, const char* description, const char* toolTip) {
    auto* button = new SymbolImageButton(symbol, description);
    button->setFixedSize(24, 24);
    button->setToolTip(toolTip);
    return button;
}

} // namespace

DirectSlotSettingsRowView::DirectSlotSettingsRowView(const DirectSlotRowModel& model,
                                                     DirectSlotRowCallbacks callbacks)
    : titleLabel_(new QLabel(qs(model.title), this)), nameField_(new QLineEdit(this)),
      obscureCheckbox_(new SettingsCheckBox(this)),
      recorder_(
          new ShortcutRecorderControl(QRect(0, 0, 150, 22), GlobalEventTapRecorder::shared())),
      clearButton_(symbolButton("xmark", "Clear shortcut", "Set shortcut to None")),
      resetButton_(symbolButton("arrow.counterclockwise", "Reset shortcut", "Reset shortcut")),
      nameDelegate_(model.metadata.name, callbacks.onNameChange), callbacks_(std::move(callbacks)),
      isShortcutEnabled_(model.isShortcutEnabled), isObscureEditable_(model.metadataEditable),
      appearanceObserver_([this] { applyColors(); }) {
    const HotkeyIdentifier identifier = model.action.identifier;
    buildNameField(model);
    buildObscureCheckbox(model);

    recorder_->setObjectName(
        qs(KeyboardShortcutsViewIdentifier::shortcutControl(identifier, "recorder")));
    recorder_->setFixedSize(150, 22);
    recorder_->setCurrentShortcut(model.shownCombination());
    recorder_->setEmptyShortcutDisplayString("None");
    recorder_->onRecordingComplete = callbacks_.onRecordingComplete;

    clearButton_->setObjectName(
        qs(KeyboardShortcutsViewIdentifier::shortcutControl(identifier, "clear")));
    resetButton_->setObjectName(
        qs(KeyboardShortcutsViewIdentifier::shortcutControl(identifier, "reset")));
    QObject::connect(clearButton_, &SymbolImageButton::clicked, this, [this] {
        if (callbacks_.onClear) {
            callbacks_.onClear();
        }
    });
    QObject::connect(resetButton_, &SymbolImageButton::clicked, this, [this] {
        if (callbacks_.onReset) {
            callbacks_.onReset();
        }
    });
    if (model.deliveryWarning) {
        deliveryWarningLabel_ = SettingsPageLayout::makeLabel(qs(*model.deliveryWarning),
                                                              SettingsPageLayout::rowDetailFont());
        deliveryWarningLabel_->setWordWrap(true);
        deliveryWarningLabel_->setObjectName(hotkeyDeliveryWarningIdentifier(identifier));
    }
    layOut();
    applyColors();
}

void DirectSlotSettingsRowView::buildNameField(const DirectSlotRowModel& model) {
    nameField_->setObjectName(
        qs(KeyboardShortcutsViewIdentifier::directSlotControl(model.action.identifier, "name")));
    nameField_->setPlaceholderText(qs(model.placeholderName));
    nameField_->setText(qs(model.nameText()));
    nameField_->setFixedSize(150, 22);
    if (model.metadataEditable) {
        QObject::connect(nameField_, &QLineEdit::returnPressed, this, [this] {
            nameDelegate_.doCommandBy(DirectSlotNameTextFieldDelegate::insertNewlineCommand,
                                      nameField_->text().toStdString());
        });
        QObject::connect(nameField_, &QLineEdit::editingFinished, this, [this] {
            nameDelegate_.controlTextDidEndEditing(nameField_->text().toStdString());
        });
        return;
    }
    // A label: the slot's number in grey, and why it cannot be named here.
    nameField_->setReadOnly(true);
    nameField_->setFrame(false);
    nameField_->setToolTip(qs(model.nameToolTip()));
}

void DirectSlotSettingsRowView::buildObscureCheckbox(const DirectSlotRowModel& model) {
    obscureCheckbox_->setObjectName(
        qs(KeyboardShortcutsViewIdentifier::directSlotControl(model.action.identifier, "obscure")));
    obscureCheckbox_->setChecked(model.metadataEditable && model.metadata.obscured);
    obscureCheckbox_->setEnabled(model.metadataEditable);
    obscureCheckbox_->setToolTip(qs(model.checkboxToolTip()));
    QObject::connect(obscureCheckbox_, &QCheckBox::clicked, this, [this](bool checked) {
        if (callbacks_.onObscureToggle) {
            callbacks_.onObscureToggle(checked);
        }
    });
}

void DirectSlotSettingsRowView::layOut() {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(16, 11, 16, 11);
    rows->setSpacing(SettingsPageLayout::titleDetailGap);
    auto* layout = new QHBoxLayout;
    rows->addLayout(layout);
    if (deliveryWarningLabel_ != nullptr) {
        rows->addWidget(deliveryWarningLabel_);
    }
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titleLabel_, 1);
    layout->addSpacing(12);
    layout->addWidget(nameField_);
    layout->addSpacing(44 - obscureCheckbox_->sizeHint().width() / 2);
    layout->addWidget(obscureCheckbox_);
    layout->addSpacing(44 - (obscureCheckbox_->sizeHint().width() + 1) / 2);
    layout->addWidget(recorder_);
    layout->addSpacing(12);
    layout->addWidget(clearButton_);
    layout->addSpacing(4);
    layout->addWidget(resetButton_);
    setMinimumHeight(44);
}

void DirectSlotSettingsRowView::applyEnabledState(bool available) {
    isAvailable_ = available;
    applyColors();
    nameField_->setEnabled(available && !nameField_->isReadOnly());
    obscureCheckbox_->setEnabled(available && isObscureEditable_);
    recorder_->setEnabled(available);
    resetButton_->setEnabled(available);
    clearButton_->setEnabled(available && isShortcutEnabled_);
}

void DirectSlotSettingsRowView::applyColors() {
    namespace L = SettingsPageLayout;
    const Appearance appearance = L::effectiveAppearance();
    L::setTextColor(*titleLabel_,
                    L::resolvedColor(isAvailable_ ? SettingsSystemColor::label
                                                  : SettingsSystemColor::disabledControlText,
                                     appearance));
    L::applyTextFieldColors(*nameField_, appearance);
    if (deliveryWarningLabel_ != nullptr) {
        L::setTextColor(*deliveryWarningLabel_,
                        L::resolvedColor(isAvailable_ ? SettingsSystemColor::secondaryLabel
                                                      : SettingsSystemColor::disabledControlText,
                                         appearance));
    }
}

} // namespace tessarin
