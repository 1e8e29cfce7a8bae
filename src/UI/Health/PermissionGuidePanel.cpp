#include "UI/Health/PermissionGuidePanel.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/WindowShape/RoundedWindowMask.h"
#include "UI/WindowShape/TranslucentPanelBacking.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tessarin {

PermissionGuidePanel::PermissionGuidePanel(const Rect& contentRect)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setHostFrame(contentRect);
    frameWrites_ = 0;
}

void PermissionGuidePanel::setHostFrame(const Rect& frame) {
    hostFrame_ = frame.standardized();
    ++frameWrites_;
    const Rect qtFrame = Host::current().displays().toWindowServer(hostFrame_);
    setGeometry(static_cast<int>(std::lround(qtFrame.minX())),
                static_cast<int>(std::lround(qtFrame.minY())),
                static_cast<int>(std::lround(qtFrame.width())),
                static_cast<int>(std::lround(qtFrame.height())));
}

void PermissionGuidePanel::setAlpha(double alpha) {
    alpha_ = alpha;
    update();
}

void PermissionGuidePanel::orderFrontRegardless() {
    show();
    raise();
}

// The HUD material: a dark translucent rounded panel with a hairline separator border.
void PermissionGuidePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TranslucentPanelBacking::paint(painter, rect(), SettingsPageLayout::effectiveAppearance());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(alpha_);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter.fillPath(path, QColor(30, 30, 34, 214));
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.drawPath(path);
}

void PermissionGuidePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RoundedWindowMask::apply(*this, cornerRadius);
}

} // namespace tessarin
