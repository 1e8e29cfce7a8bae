#include "UI/WindowShape/RoundedWindowMask.h"

#include "Platform/MachineDesktop/CompositingManager.h"

#include <QPainterPath>
#include <QWidget>

namespace tessarin::RoundedWindowMask {

QRegion region(QSize size, double radius) {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    return QRegion(shape.toFillPolygon().toPolygon());
}

void apply(QWidget& window, double radius, bool desktopComposites) {
    if (desktopComposites) {
        window.clearMask();
        return;
    }
    window.setMask(region(window.size(), radius));
}

void apply(QWidget& window, double radius) {
    apply(window, radius, CompositingManager::runs());
}

} // namespace tessarin::RoundedWindowMask
