#include "UI/MenuBar/MainMenuKeyEquivalents.h"

#include "Platform/Host.h"
#include "Platform/Input/HostKeyEvent.h"
#include "Platform/SystemServices.h"
#include "Support/ProgramTermination.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tessarin {

namespace {

// Whether the control the key goes to takes it before any menu, as it would a shortcut.
bool claimedByControl(QObject& receiver, const QKeyEvent& key) {
    QKeyEvent probe(QEvent::ShortcutOverride, key.key(), key.modifiers(), key.text());
    probe.ignore();
    QCoreApplication::sendEvent(&receiver, &probe);
    return probe.isAccepted();
}

// "Close Window" presses a window's close button; without one (a sheet, a borderless panel
// such as the grid's) the host's toolkit beeps.
bool hasCloseButton(const QWidget& window) {
    const Qt::WindowFlags flags = window.windowFlags();
    if (flags & Qt::FramelessWindowHint) {
        return false;
    }
    return !(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowCloseButtonHint);
}

} // namespace

MainMenuKeyEquivalents::MainMenuKeyEquivalents(MainMenu menu, ActionSender sendToPreferencesTarget)
    : menu_(std::move(menu)), sendToPreferencesTarget_(std::move(sendToPreferencesTarget)) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
    }
}

MainMenuKeyEquivalents::~MainMenuKeyEquivalents() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool MainMenuKeyEquivalents::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress || widget == nullptr) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const auto hostEvent = hostKeyEvent(key);
    const MainMenuItem* item = hostEvent ? menu_.itemForKeyEquivalent(*hostEvent) : nullptr;
    if (item == nullptr || claimedByControl(*widget, key)) {
        return false;
    }
    return perform(*item, *widget->window());
}

bool MainMenuKeyEquivalents::perform(const MainMenuItem& item, QWidget& keyWindow) {
    switch (item.target) {
    case MenuItemTarget::preferencesTarget:
        sendToPreferencesTarget_(item.action);
        return true;
    case MenuItemTarget::application:
        return performApplicationAction(item.action);
    case MenuItemTarget::firstResponder:
        if (item.action == "performClose:") {
            hasCloseButton(keyWindow) ? static_cast<void>(keyWindow.close())
                                      : Host::current().system().beep();
            return true;
        }
        return false;
    case MenuItemTarget::none:
        return false;
    }
    return false;
}

bool MainMenuKeyEquivalents::performApplicationAction(const std::string& action) {
    if (action == "hide:") {
        hiding_.hide();
    } else if (action == "hideOtherApplications:") {
        Host::current().system().hideOtherApplications();
    } else if (action == "unhideAllApplications:") {
        hiding_.unhide();
        Host::current().system().unhideAllApplications();
    } else if (action == "terminate:") {
        terminateProgram();
    } else {
        return false;
    }
    return true;
}

} // namespace tessarin
