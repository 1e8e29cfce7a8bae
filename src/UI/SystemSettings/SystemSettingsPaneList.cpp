#include "UI/SystemSettings/SystemSettingsPaneList.h"

#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <QPainter>
#include <QPainterPath>

namespace tessarin {

SystemSettingsPaneList::SystemSettingsPaneList(QWidget* parent) : QWidget(parent) {}

void SystemSettingsPaneList::setRinged(bool ringed) {
    ringed_ = ringed;
    update();
}

void SystemSettingsPaneList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(path,
                     SystemSettingsPaneWindow::colour(SettingsSystemColor::controlBackground));
    painter.setPen(QPen(ringed_ ? QColor(0, 122, 255)
                                : SystemSettingsPaneWindow::colour(SettingsSystemColor::separator),
                        ringed_ ? 2 : 1));
    painter.drawPath(path);
}

} // namespace tessarin
