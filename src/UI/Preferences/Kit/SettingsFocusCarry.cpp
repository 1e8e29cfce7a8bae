#include "UI/Preferences/Kit/SettingsFocusCarry.h"

#include <QLineEdit>
#include <QWidget>

namespace tessarin {

SettingsFocusCarry SettingsFocusCarry::takeFrom(const QWidget* rows) {
    SettingsFocusCarry carry;
    QWidget* focused = rows != nullptr ? rows->window()->focusWidget() : nullptr;
    if (focused == nullptr || !rows->isAncestorOf(focused) || focused->objectName().isEmpty()) {
        return carry;
    }
    carry.objectName_ = focused->objectName();
    if (const auto* field = qobject_cast<const QLineEdit*>(focused)) {
        carry.cursorPosition_ = field->cursorPosition();
    }
    return carry;
}

SettingsFocusCarry SettingsFocusCarry::takeOff(QWidget* rows) {
    SettingsFocusCarry carry = takeFrom(rows);
    QWidget* focused = rows != nullptr ? rows->window()->focusWidget() : nullptr;
    if (focused != nullptr && rows->isAncestorOf(focused)) {
        focused->clearFocus();
    }
    return carry;
}

void SettingsFocusCarry::restoreIn(QWidget& rows) const {
    if (objectName_.isEmpty()) {
        return;
    }
    QWidget* control = rows.findChild<QWidget*>(objectName_);
    if (control == nullptr || !control->isEnabled() || control->focusPolicy() == Qt::NoFocus) {
        return;
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(control); field != nullptr && cursorPosition_) {
        field->setCursorPosition(*cursorPosition_);
    }
}

} // namespace tessarin
