#include "UI/Preferences/Kit/PreferencesPanel.h"

#include "UI/WindowActions/AllowedWindowActions.h"

#include <QEvent>

namespace tessarin {

PreferencesPanel::PreferencesPanel(QWidget* parent) : QWidget(parent, Qt::Window) {}

bool PreferencesPanel::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && onResignKey) {
        onResignKey();
    }
    return QWidget::event(event);
}

namespace {

// A sheet hangs from the top of its window's content, centred across it. Placed here, it
// stands on its window also where no window manager would place it.
void placeOnWindow(QWidget& sheet, const QWidget& window) {
    if (!sheet.testAttribute(Qt::WA_Resized)) {
        sheet.adjustSize();
    }
    const QRect content = window.geometry();
    sheet.move(content.x() + (content.width() - sheet.width()) / 2, content.y());
}

} // namespace

void beginSheet(QWidget& sheet, QWidget& window) {
    if (sheet.parentWidget() != &window) {
        sheet.setParent(&window, Qt::Sheet | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    }
    sheet.setAttribute(Qt::WA_DeleteOnClose, false);
    sheet.setWindowModality(Qt::WindowModal);
    placeOnWindow(sheet, window);
    // A sheet ends by its own buttons only; its frame merely moves it.
    sheet.setFixedSize(sheet.size());
    AllowedWindowActions::allow(sheet, WindowActions{.close = false});
    sheet.show();
    sheet.raise();
}

void endSheet(QWidget& sheet) {
    sheet.hide();
}

} // namespace tessarin
