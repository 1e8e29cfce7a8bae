#include "UI/Health/TessarinAppBundleDragView.h"

#include "Platform/Host.h"
#include "Platform/Program/ProgramBundle.h"
#include "UI/Text/TailTruncatingLabel.h"

#include <QDrag>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>
#include <cmath>

namespace tessarin {

namespace {

QPixmap bundleIcon(const QString& path, int size) {
    return QPixmap::fromImage(Host::current().programBundle().icon(path.toStdString(), size));
}

} // namespace

TessarinAppBundleDragView::TessarinAppBundleDragView(QString appBundlePath, const QString& appName,
                                                     AppBundleDragStarter starter, QWidget* parent)
    : QWidget(parent), appBundlePath_(std::move(appBundlePath)),
      starter_(starter ? std::move(starter) : AppBundleDragStarter(startQDrag)) {
    // The first click counts even while the panel is not active.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->setSpacing(12);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("health.guide.tile.icon"));
    icon->setProperty("programIcon", true);
    icon->setFixedSize(30, 30);
    icon->setScaledContents(true);
    icon->setPixmap(bundleIcon(appBundlePath_, 60));
    auto* name = new TailTruncatingLabel(appName, this);
    name->setObjectName(QStringLiteral("health.guide.tile.name"));
    QFont font = name->font();
    font.setPixelSize(17); // view points, as the panel's frame is measured
    font.setWeight(QFont::DemiBold);
    name->setFont(font);
    // The guide's material is dark in either appearance, as its instruction's white text says.
    name->setStyleSheet(QStringLiteral("color: white;"));
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addWidget(name, 1, Qt::AlignVCenter);
}

void TessarinAppBundleDragView::mouseDown(QPointF point) {
    initialMouseDownPoint_ = point;
}

void TessarinAppBundleDragView::mouseDragged(QPointF point) {
    if (!initialMouseDownPoint_) {
        return;
    }
    const QPointF delta = point - *initialMouseDownPoint_;
    if (std::hypot(delta.x(), delta.y()) < dragThreshold) {
        return;
    }
    initialMouseDownPoint_.reset();
    starter_(*this, appBundlePath_, dragImage());
}

QPixmap TessarinAppBundleDragView::dragImage() {
    QPixmap image = grab(rect());
    return image.isNull() ? bundleIcon(appBundlePath_, 64) : image;
}

void TessarinAppBundleDragView::startQDrag(QWidget& source, const QString& bundlePath,
                                           const QPixmap& image) {
    auto* drag = new QDrag(&source);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(bundlePath)});
    drag->setMimeData(data);
    drag->setPixmap(image);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void TessarinAppBundleDragView::mousePressEvent(QMouseEvent* event) {
    mouseDown(event->position());
}

void TessarinAppBundleDragView::mouseMoveEvent(QMouseEvent* event) {
    mouseDragged(event->position());
}

void TessarinAppBundleDragView::mouseReleaseEvent(QMouseEvent*) {
    mouseUp();
}

// A rounded tile: a faint control background under a hairline border.
void TessarinAppBundleDragView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    // The dark material's control background and separator, whatever the appearance: the tile
    // sits on the guide's HUD material, which is dark in both.
    painter.fillPath(path, QColor(30, 30, 30, 89));
    painter.setPen(QPen(QColor(255, 255, 255, 26), 1));
    painter.drawPath(path);
}

} // namespace tessarin
