#include "UI/Preferences/Kit/PreferencesPanel.h"

#include <QEvent>

namespace tessarin {

PreferencesPanel::PreferencesPanel(QWidget* parent) : QWidget(parent, Qt::Window) {}

bool PreferencesPanel::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && onResignKey) {
        onResignKey();
    }
    return QWidget::event(event);
}

void beginSheet(QWidget& sheet, QWidget& window) {
    if (sheet.parentWidget() != &window) {
        sheet.setParent(&window, Qt::Sheet | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    }
    sheet.setAttribute(Qt::WA_DeleteOnClose, false);
    sheet.setWindowModality(Qt::WindowModal);
    sheet.show();
    sheet.raise();
}

void endSheet(QWidget& sheet) {
    sheet.hide();
}

} // namespace tessarin
