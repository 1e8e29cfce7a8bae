#include "UI/MissionControl/MissionControlWindow.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "UI/MissionControl/MissionControlSpaceTile.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

constexpr const char* missionControlWindowProperty = "tessarin.missionControl";
constexpr double nameSize = 13;
constexpr double desktopCornerRadius = 10;

QColor backgroundColor(Appearance appearance) {
    return appearance == Appearance::dark ? QColor(28, 28, 30) : QColor(226, 226, 231);
}

QColor accentColor(Appearance appearance) {
    return appearance == Appearance::dark ? QColor(10, 132, 255) : QColor(0, 110, 230);
}

QFont nameFont(bool current) {
    QFont font;
    setViewPointSize(font, nameSize);
    font.setWeight(current ? QFont::DemiBold : QFont::Normal);
    return font;
}

QRect frameOf(const Rect& bounds) {
    return QRect(static_cast<int>(std::lround(bounds.minX())),
                 static_cast<int>(std::lround(bounds.minY())),
                 static_cast<int>(std::lround(bounds.width())),
                 static_cast<int>(std::lround(bounds.height())));
}

} // namespace

MissionControlWindow::MissionControlWindow(MissionControl& missionControl, DisplayID displayID)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      missionControl_(missionControl), displayID_(displayID),
      appearanceObserver_([this] { applyAppearance(); }) {
    setObjectName(QStringLiteral("missionControl.view"));
    setProperty(missionControlWindowProperty, true);
    setWindowTitle(QStringLiteral("Mission Control"));
    setFocusPolicy(Qt::StrongFocus);
}

QString MissionControlWindow::tileName(int position) {
    return QStringLiteral("missionControl.space.%1").arg(position);
}

QString MissionControlWindow::nameLabelName(int position) {
    return QStringLiteral("missionControl.space.%1.name").arg(position);
}

bool MissionControlWindow::isMissionControlWindow(const QWidget& window) {
    return window.property(missionControlWindowProperty).toBool();
}

void MissionControlWindow::refresh() {
    applyGeometry();
    const auto shown =
        missionControl_.shownSpaces(displayID_).value_or(std::vector<MissionControl::ShownSpace>{});
    if (shown != shown_) {
        shown_ = shown;
        rebuild();
    }
    placeTiles();
}

void MissionControlWindow::applyGeometry() {
    const QRect frame = frameOf(Host::current().displays().bounds(displayID_));
    if (frame.isValid() && geometry() != frame) {
        setGeometry(frame);
    }
}

void MissionControlWindow::rebuild() {
    for (MissionControlSpaceTile* tile : tiles_) {
        // The pressed tile may still be on the stack.
        tile->hide();
        tile->deleteLater();
    }
    for (QLabel* name : names_) {
        name->hide();
        name->deleteLater();
    }
    tiles_.clear();
    names_.clear();
    int position = 1;
    for (const MissionControl::ShownSpace& space : shown_) {
        auto* tile = new MissionControlSpaceTile(this);
        tile->setObjectName(tileName(position));
        tile->setAccessibleName(QString::fromStdString(space.name));
        tile->setToolTip(QString::fromStdString(space.name));
        tile->setCurrent(space.isCurrent);
        connect(tile, &QAbstractButton::clicked, this, [this, spaceID = space.spaceID] {
            missionControl_.switchToSpace(displayID_, spaceID);
        });
        auto* name = new QLabel(QString::fromStdString(space.name), this);
        name->setObjectName(nameLabelName(position));
        name->setFont(nameFont(space.isCurrent));
        name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // A press on a name is a press in the strip, not outside it.
        name->setAttribute(Qt::WA_TransparentForMouseEvents);
        tiles_.push_back(tile);
        names_.push_back(name);
        ++position;
    }
    applyAppearance();
}

void MissionControlWindow::placeTiles() {
    const int nameHeight = QFontMetrics(nameFont(true)).height() + 2;
    layout_ = MissionControlLayout::make(size(), static_cast<int>(shown_.size()), nameHeight);
    for (std::size_t i = 0; i < tiles_.size() && i < layout_.tiles.size(); ++i) {
        tiles_[i]->setGeometry(layout_.tiles[i]);
        tiles_[i]->setPicture(pictureOf(shown_[i].spaceID, layout_.tiles[i].size()));
        names_[i]->setGeometry(layout_.names[i]);
        tiles_[i]->show();
        names_[i]->show();
    }
    desktop_ = QImage();
    for (const MissionControl::ShownSpace& space : shown_) {
        if (space.isCurrent && !layout_.desktop.isEmpty()) {
            desktop_ = pictureOf(space.spaceID, layout_.desktop.size());
        }
    }
    update();
}

QImage MissionControlWindow::pictureOf(SpaceID spaceID, QSize size) const {
    const double scale = devicePixelRatioF();
    const int width = std::max(1, static_cast<int>(std::lround(size.width() * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(size.height() * scale)));
    QImage picture =
        missionControl_.spacePicture(displayID_, spaceID, width, height).value_or(QImage());
    picture.setDevicePixelRatio(scale);
    return picture;
}

void MissionControlWindow::applyAppearance() {
    const Appearance appearance = L::effectiveAppearance();
    for (MissionControlSpaceTile* tile : tiles_) {
        tile->setRingColor(accentColor(appearance));
    }
    for (QLabel* name : names_) {
        L::setTextColor(*name, L::resolvedColor(SettingsSystemColor::label, appearance));
    }
    update();
}

void MissionControlWindow::paintEvent(QPaintEvent*) {
    const Appearance appearance = L::effectiveAppearance();
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor(appearance));
    if (desktop_.isNull() || layout_.desktop.isEmpty()) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(layout_.desktop), desktopCornerRadius, desktopCornerRadius);
    painter.save();
    painter.setClipPath(shape);
    painter.drawImage(QRectF(layout_.desktop), desktop_);
    painter.restore();
    painter.setPen(QPen(L::resolvedColor(SettingsSystemColor::separator, appearance), 1));
    painter.drawPath(shape);
}

// The tiles take their own presses; anything else that reaches the view is outside the
// pictures, and only a press outside the strip leaves.
void MissionControlWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !layout_.strip.contains(event->position().toPoint())) {
        missionControl_.close();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void MissionControlWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        missionControl_.close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Closed by the window manager: Mission Control leaves, on every display.
void MissionControlWindow::closeEvent(QCloseEvent* event) {
    missionControl_.close();
    event->accept();
}

void MissionControlWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeTiles();
}

} // namespace tessarin
