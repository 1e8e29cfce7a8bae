#include "UI/SystemSettings/PrivacyPaneWindow.h"

#include "Platform/Host.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/SystemSettings/SystemSettingsPaneList.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

// The lower part of the window stays free: the permission guide lies over it.
constexpr int guideBand = 184;

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

// The pane's list, which takes the bundles dropped on it and is ringed while a drag that it
// would take is over it.
class PrivacyPaneList final : public SystemSettingsPaneList {
public:
    std::function<bool(const QString&)> onDrop;

    PrivacyPaneList() { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!localFiles(event->mimeData()).isEmpty()) {
            event->acceptProposedAction();
            setRinged(true);
        }
    }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
    void dragLeaveEvent(QDragLeaveEvent*) override { setRinged(false); }
    void dropEvent(QDropEvent* event) override {
        setRinged(false);
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
};

} // namespace

PrivacyPaneWindow::PrivacyPaneWindow(SystemSettings& settings)
    : SystemSettingsPaneWindow(settings, QStringLiteral("systemSettings.pane"), guideBand),
      list_(new PrivacyPaneList), rows_(new QVBoxLayout), emptyNote_(new QLabel) {
    setMinimumSize(minimumWidth, minimumHeight);
    list_->setObjectName(QStringLiteral("systemSettings.pane.list"));
    static_cast<PrivacyPaneList*>(list_)->onDrop = [this](const QString& file) {
        return this->settings().dropBundle(file.toStdString());
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
    column()->addWidget(list_, 1);
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

bool PrivacyPaneWindow::takePane(const std::string& pane) {
    const std::string service = SystemSettings::privacyServiceOfPane(pane).value_or("");
    auto entries = settings().paneEntries();
    if (service == service_ && entries == shownEntries_) {
        return false;
    }
    service_ = service;
    shownEntries_ = std::move(entries);
    return true;
}

void PrivacyPaneWindow::rebuild() {
    setPaneText(paneTitle(service_), paneDetail(service_));
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
        QWidget* row = makeRow(entry);
        rows_->addWidget(row);
        row->show(); // now, not on a later turn: a click may come before it
    }
    emptyNote_->setVisible(shownEntries_.empty());
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
                         settings().setAllowed(identifier, on);
                     });
    layout->addWidget(icon);
    layout->addWidget(name, 1);
    layout->addWidget(toggle);
    return row;
}

} // namespace tessarin
