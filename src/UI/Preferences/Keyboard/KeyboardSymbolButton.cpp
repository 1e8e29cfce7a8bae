#include "UI/Preferences/Keyboard/KeyboardSymbolButton.h"

#include <QToolButton>

namespace tessarin {

QToolButton* makeKeyboardSymbolButton(const char* symbolName, const char* description,
                                      const char* toolTip) {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setFixedSize(24, 24);
    button->setAccessibleDescription(QString::fromUtf8(description));
    button->setToolTip(QString::fromUtf8(toolTip));
    button->setText(QString::fromUtf8(symbolName));
    return button;
}

} // namespace tessarin
