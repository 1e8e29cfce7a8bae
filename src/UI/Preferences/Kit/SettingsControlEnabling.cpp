#include "UI/Preferences/Kit/SettingsControlEnabling.h"

#include "UI/Preferences/Kit/SettingsSegmentedControl.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>

namespace tessarin {

namespace {

bool isPlainControl(QWidget& widget) {
    return qobject_cast<QAbstractButton*>(&widget) != nullptr ||
           qobject_cast<QComboBox*>(&widget) != nullptr ||
           qobject_cast<QAbstractSlider*>(&widget) != nullptr ||
           qobject_cast<QLineEdit*>(&widget) != nullptr ||
           qobject_cast<QAbstractSpinBox*>(&widget) != nullptr ||
           dynamic_cast<SettingsSegmentedControl*>(&widget) != nullptr;
}

} // namespace

void applySettingsControlEnabledState(QWidget& control, bool enabled) {
    if (auto* composite = dynamic_cast<SettingsControlEnabling*>(&control)) {
        composite->applySettingsEnabledState(enabled);
    } else if (isPlainControl(control)) {
        control.setEnabled(enabled);
    }
}

} // namespace tessarin
