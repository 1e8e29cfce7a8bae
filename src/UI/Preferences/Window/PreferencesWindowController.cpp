#include "UI/Preferences/Window/PreferencesWindowController.h"

#include "Platform/Host.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Program/ProgramBundle.h"
#include "UI/Preferences/About/SoftwareUpdateController.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace tessarin {

namespace {

void centre(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.center() - QPoint(window.width() / 2, window.height() / 2));
    }
}

} // namespace

PreferencesWindowController::PreferencesWindowController(
    SoftwareUpdateChecking* softwareUpdateController, PreferencesPageFactory makePage)
    : PreferencesWindowController(softwareUpdateController, std::move(makePage),
                                  Host::current().defaults()) {}

PreferencesWindowController::PreferencesWindowController(
    SoftwareUpdateChecking* softwareUpdateController, PreferencesPageFactory makePage,
    UserDefaults& defaults) {
    if (softwareUpdateController == nullptr) {
        ownUpdateController_ = std::make_unique<SoftwareUpdateController>(
            Host::current().programBundle().contents().info);
        softwareUpdateController = ownUpdateController_.get();
    }
    if (!makePage) {
        makePage = defaultPreferencesPageFactory(*softwareUpdateController);
    }
    tabViewController_ = std::make_unique<PreferencesTabViewController>(defaults, makePage);

    window_ = std::make_unique<PreferencesPanel>();
    window_->setObjectName(QStringLiteral("preferences.window"));
    // Titled and closable only: no resizing, no miniaturise or zoom button.
    window_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::CustomizeWindowHint);
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->setWindowTitle(title(tabViewController_->selectedPage()) +
                            QStringLiteral(" Settings"));
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabViewController_->makeToolbar());
    layout->addWidget(tabViewController_->view());
    window_->setMinimumSize(minimumWidth, minimumHeight);
    window_->setFixedSize(contentWidth,
                          contentHeight + tabViewController_->toolbar()->sizeHint().height());
    window_->onResignKey = [] { windowDidResignKey(); };
    centre(*window_);
    tabViewController_->synchronizeWindowChrome();
}

PreferencesWindowController::~PreferencesWindowController() {
    // The page views go with their controllers, before the window that shows them.
    tabViewController_.reset();
    window_.reset();
}

void PreferencesWindowController::bringWindowToFront() {
    if (!window_) {
        return;
    }
    Host::current().programActivation().activate();
    window_->show();
    window_->raise();
    window_->activateWindow();
    window_->raise();
    tabViewController_->synchronizeWindowChrome();
}

void PreferencesWindowController::windowDidResignKey() {
    ShortcutRecorderControl::cancelActiveRecording();
}

} // namespace tessarin
