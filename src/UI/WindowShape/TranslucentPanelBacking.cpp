#include "UI/WindowShape/TranslucentPanelBacking.h"

#include "Platform/MachineDesktop/CompositingManager.h"

#include <QPainter>

namespace tessarin::TranslucentPanelBacking {

QColor color(Appearance appearance) {
    return appearance == Appearance::dark ? QColor(30, 30, 30) : QColor(255, 255, 255);
}

void paint(QPainter& painter, const QRect& rect, Appearance appearance, bool desktopComposites) {
    if (desktopComposites) {
        return;
    }
    painter.fillRect(rect, color(appearance));
}

void paint(QPainter& painter, const QRect& rect, Appearance appearance) {
    paint(painter, rect, appearance, CompositingManager::runs());
}

} // namespace tessarin::TranslucentPanelBacking
