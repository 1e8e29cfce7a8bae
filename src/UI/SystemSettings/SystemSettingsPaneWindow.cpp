#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include "UI/Text/ViewPointFontSize.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

constexpr const char* paneWindowProperty = "tessarin.systemSettingsPane";

} // namespace

SystemSettingsPaneWindow::SystemSettingsPaneWindow(SystemSettings& settings, const QString& name,
                                                   int bottomInset)
    : QWidget(nullptr, Qt::Window), settings_(settings), title_(new QLabel(this)),
      detail_(new QLabel(this)), column_(new QVBoxLayout),
      appearanceObserver_([this] { redraw(); }) {
    setObjectName(name);
    setProperty(paneWindowProperty, true);
    setWindowTitle(QString::fromStdString(kSystemSettingsName));
    title_->setObjectName(name + QStringLiteral(".title"));
    title_->setFont(paneFont(20, true));
    detail_->setObjectName(name + QStringLiteral(".detail"));
    detail_->setFont(paneFont(13, false));
    detail_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, bottomInset);
    layout->setSpacing(8);
    layout->addWidget(title_);
    layout->addWidget(detail_);
    layout->addSpacing(8);
    column_->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(column_, 1);
}

bool SystemSettingsPaneWindow::isPaneWindow(const QWidget& window) {
    return window.property(paneWindowProperty).toBool();
}

QColor SystemSettingsPaneWindow::colour(SettingsSystemColor role) {
    return L::resolvedColor(role, L::effectiveAppearance());
}

QFont SystemSettingsPaneWindow::paneFont(double points, bool semibold) {
    QFont font;
    setViewPointSize(font, points);
    font.setWeight(semibold ? QFont::DemiBold : QFont::Normal);
    return font;
}

void SystemSettingsPaneWindow::setPaneText(const QString& title, const QString& detail) {
    setWindowTitle(QString::fromStdString(kSystemSettingsName) + QStringLiteral(" — ") + title);
    title_->setText(title);
    detail_->setText(detail);
    detail_->setVisible(!detail.isEmpty());
}

void SystemSettingsPaneWindow::showPane(const std::string& pane) {
    if (takePane(pane)) {
        redraw();
    }
    if (const auto bounds = settings_.windowBounds()) {
        applyGeometry(*bounds);
    }
    show();
}

void SystemSettingsPaneWindow::redraw() {
    // Standard controls (check boxes, scroll bars) draw from the window's palette.
    setPalette(L::controlPalette(L::effectiveAppearance()));
    L::setTextColor(*title_, colour(SettingsSystemColor::label));
    L::setTextColor(*detail_, colour(SettingsSystemColor::secondaryLabel));
    rebuild();
    update();
}

void SystemSettingsPaneWindow::applyGeometry(const Rect& bounds) {
    const QRect frame(static_cast<int>(std::lround(bounds.minX())),
                      static_cast<int>(std::lround(bounds.minY())),
                      static_cast<int>(std::lround(bounds.width())),
                      static_cast<int>(std::lround(bounds.height())));
    if (geometry() == frame) {
        return;
    }
    applyingGeometry_ = true;
    setGeometry(frame);
    applyingGeometry_ = false;
}

// A move or resize the window manager made: the host's window follows, so whatever follows
// System Settings' window (the permission guide) follows what a person sees.
void SystemSettingsPaneWindow::reportGeometry() {
    if (applyingGeometry_ || !isVisible()) {
        return;
    }
    const QRect frame = geometry();
    const Rect bounds{static_cast<double>(frame.x()), static_cast<double>(frame.y()),
                      static_cast<double>(frame.width()), static_cast<double>(frame.height())};
    if (settings_.windowBounds() != bounds) {
        settings_.moveWindow(bounds);
    }
}

void SystemSettingsPaneWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    reportGeometry();
}

void SystemSettingsPaneWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    reportGeometry();
}

void SystemSettingsPaneWindow::closeEvent(QCloseEvent* event) {
    settings_.closeWindow();
    event->accept();
}

void SystemSettingsPaneWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour(SettingsSystemColor::windowBackground));
}

} // namespace tessarin
