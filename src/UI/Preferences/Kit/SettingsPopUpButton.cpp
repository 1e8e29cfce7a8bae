#include "UI/Preferences/Kit/SettingsPopUpButton.h"

namespace tessarin {

SettingsPopUpButton::SettingsPopUpButton(QWidget* parent) : QComboBox(parent) {
    QObject::connect(this, &QComboBox::activated, this, [this](int index) {
        if (const auto value = rawValue(index); value && onSelectionChanged) {
            onSelectionChanged(*value);
        }
    });
}

void SettingsPopUpButton::addItemWithRawValue(const QString& title, const QVariant& rawValue) {
    addItem(title, rawValue);
}

std::optional<QVariant> SettingsPopUpButton::selectedRawValue() const {
    return rawValue(currentIndex());
}

std::optional<QVariant> SettingsPopUpButton::rawValue(int index) const {
    if (index < 0 || index >= count()) {
        return std::nullopt;
    }
    return itemData(index);
}

bool SettingsPopUpButton::selectItemWithRawValue(const QVariant& rawValue) {
    const int index = findData(rawValue);
    if (index < 0) {
        return false;
    }
    setCurrentIndex(index);
    return true;
}

void SettingsPopUpButton::setRegularUnborderedStyle() {
    setFrame(false);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

} // namespace tessarin
