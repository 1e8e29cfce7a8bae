#include "UI/SystemSettings/PrivacyPaneWindow.h"

#include "Platform/Host.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

constexpr const char* paneWindowProperty = "tessarin.systemSettingsPane";
// The lower part of the window stays free: the permission guide lies over it.
constexpr int guideBand = 184;

QColor colour(SettingsSystemColor role) {
    return L::resolvedColor(role, L::effectiveAppearance());
}

QFont paneFont(double points, bool semibold) {
    QFont font;
    setViewPointSize(font, points);
    font.setWeight(semibold ? QFont::DemiBold : QFont::Normal);
    return font;
}

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

// The pane's list: a rounded box of rows that takes the bundles dropped on it, ringed in the
// accent colour while a drag that it would take is over it.
class PrivacyPaneList final : public QWidget {
public:
    std::function<bool(const QString&)> onDrop;

    PrivacyPaneList() { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!localFiles(event->mimeData()).isEmpty()) {
            event->acceptProposedAction();
            setDragOver(true);
        }
    }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
    void dragLeaveEvent(QDragLeaveEvent*) override { setDragOver(false); }
    void dropEvent(QDropEvent* event) override {
        setDragOver(false);
        bool taken = false;
        for (const QString& file : localFiles(event->mimeData())) {
            taken = (onDrop && onDrop(file)) || taken;
        }
        if (taken) {
            event->setDropAction(Qt::CopyAction);
            event->accept();
        } else {
            event->ignore();
        }
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        painter.fillPath(path, colour(SettingsSystemColor::controlBackground));
        const bool ringed = dragOver_;
        painter.setPen(QPen(ringed ? QColor(0, 122, 255) : colour(SettingsSystemColor::separator),
                            ringed ? 2 : 1));
        painter.drawPath(path);
    }

private:
    void setDragOver(bool over) {
        dragOver_ = over;
        update();
    }

    bool dragOver_ = false;
};

} // namespace

PrivacyPaneWindow::PrivacyPaneWindow(SystemSettings& settings)
    : QWidget(nullptr, Qt::Window), settings_(settings), title_(new QLabel(this)),
      detail_(new QLabel(this)), list_(new PrivacyPaneList), rows_(new QVBoxLayout),
      emptyNote_(new QLabel), appearanceObserver_([this] { rebuild(); }) {
    setObjectName(QStringLiteral("systemSettings.pane"));
    setProperty(paneWindowProperty, true);
    setWindowTitle(QString::fromStdString(kSystemSettingsName));
    setMinimumSize(minimumWidth, minimumHeight);
    title_->setObjectName(QStringLiteral("systemSettings.pane.title"));
    title_->setFont(paneFont(20, true));
    detail_->setObjectName(QStringLiteral("systemSettings.pane.detail"));
    detail_->setFont(paneFont(13, false));
    detail_->setWordWrap(true);
    list_->setObjectName(QStringLiteral("systemSettings.pane.list"));
    static_cast<PrivacyPaneList*>(list_)->onDrop = [this](const QString& file) {
        return settings_.dropBundle(file.toStdString());
    };
    emptyNote_->setObjectName(QStringLiteral("systemSettings.pane.empty"));
    emptyNote_->setFont(paneFont(13, false));
    emptyNote_->setAlignment(Qt::AlignCenter);
    emptyNote_->setWordWrap(true);
    emptyNote_->setText(QStringLiteral("No programs. Drag a program here to allow it."));

    auto* listLayout = new QVBoxLayout(list_);
    listLayout->setContentsMargins(0, 4, 0, 4);
    listLayout->setSpacing(0);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    listLayout->addLayout(rows_);
    listLayout->addWidget(emptyNote_, 1);
    listLayout->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, guideBand);
    column->setSpacing(8);
    column->addWidget(title_);
    column->addWidget(detail_);
    column->addSpacing(8);
    column->addWidget(list_, 1);
}

QString PrivacyPaneWindow::paneTitle(const std::string& service) {
    return service == PrivacyService::screenCapture ? QStringLiteral("Screen Recording")
                                                    : QStringLiteral("Accessibility");
}

QString PrivacyPaneWindow::paneDetail(const std::string& service) {
    return service == PrivacyService::screenCapture
               ? QStringLiteral("Allow the programs below to record the contents of your "
                                "screen.")
               : QStringLiteral("Allow the programs below to control your computer.");
}

QString PrivacyPaneWindow::switchName(const std::string& bundleIdentifier) {
    return QStringLiteral("systemSettings.pane.switch.") + QString::fromStdString(bundleIdentifier);
}

bool PrivacyPaneWindow::isPaneWindow(const QWidget& window) {
    return window.property(paneWindowProperty).toBool();
}

void PrivacyPaneWindow::showPane(const std::string& service) {
    const auto entries = settings_.paneEntries();
    if (service != service_ || entries != shownEntries_) {
        service_ = service;
        shownEntries_ = entries;
        rebuild();
    }
    if (const auto bounds = settings_.windowBounds()) {
        applyGeometry(*bounds);
    }
    show();
}

void PrivacyPaneWindow::rebuild() {
    setWindowTitle(QString::fromStdString(kSystemSettingsName) + QStringLiteral(" — ") +
                   paneTitle(service_));
    title_->setText(paneTitle(service_));
    detail_->setText(paneDetail(service_));
    L::setTextColor(*title_, colour(SettingsSystemColor::label));
    L::setTextColor(*detail_, colour(SettingsSystemColor::secondaryLabel));
    L::setTextColor(*emptyNote_, colour(SettingsSystemColor::secondaryLabel));
    while (QLayoutItem* item = rows_->takeAt(0)) {
        if (QWidget* row = item->widget()) {
            // A switch pressed in the row may still be on the stack.
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    for (const PrivacyPaneEntry& entry : shownEntries_) {
        rows_->addWidget(makeRow(entry));
    }
    emptyNote_->setVisible(shownEntries_.empty());
    update();
}

QWidget* PrivacyPaneWindow::makeRow(const PrivacyPaneEntry& entry) {
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("systemSettings.pane.row.") +
                       QString::fromStdString(entry.bundleIdentifier));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(10);
    auto* icon = new QLabel;
    icon->setFixedSize(24, 24);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap::fromImage(Host::current().programBundle().icon(
        entry.bundlePath.empty() ? entry.bundleIdentifier : entry.bundlePath, 48)));
    auto* name = new QLabel(QString::fromStdString(entry.name));
    name->setFont(paneFont(13, false));
    L::setTextColor(*name, colour(SettingsSystemColor::label));
    auto* toggle = new SettingsSwitch;
    toggle->setObjectName(switchName(entry.bundleIdentifier));
    toggle->setAccessibleName(QString::fromStdString(entry.name));
    toggle->setOn(entry.allowed);
    QObject::connect(toggle, &QAbstractButton::toggled,
                     [this, identifier = entry.bundleIdentifier](bool on) {
                         settings_.setAllowed(identifier, on);
                     });
    layout->addWidget(icon);
    layout->addWidget(name, 1);
    layout->addWidget(toggle);
    return row;
}

void PrivacyPaneWindow::applyGeometry(const Rect& bounds) {
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
void PrivacyPaneWindow::reportGeometry() {
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

void PrivacyPaneWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    reportGeometry();
}

void PrivacyPaneWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    reportGeometry();
}

void PrivacyPaneWindow::closeEvent(QCloseEvent* event) {
    settings_.closeWindow();
    event->accept();
}

void PrivacyPaneWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour(SettingsSystemColor::windowBackground));
}

} // namespace tessarin
