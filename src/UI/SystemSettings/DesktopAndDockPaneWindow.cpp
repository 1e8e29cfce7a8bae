#include "UI/SystemSettings/DesktopAndDockPaneWindow.h"

#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QVBoxLayout>

namespace tessarin {

namespace {

constexpr int bottomInset = 24;

} // namespace

DesktopAndDockPaneWindow::DesktopAndDockPaneWindow(SystemSettings& settings)
    : SystemSettingsPaneWindow(settings, QStringLiteral("systemSettings.desktopAndDock"),
                               bottomInset),
      section_(new QVBoxLayout) {
    section_->setContentsMargins(0, 0, 0, 0);
    column()->addLayout(section_);
    column()->addStretch(1);
}

bool DesktopAndDockPaneWindow::takePane(const std::string&) {
    DesktopAndDockPane& pane = settings().desktopAndDockPane();
    const Shown now{pane.automaticallyRearrangesSpaces(), pane.displaysHaveSeparateSpaces()};
    if (shown_ == now) {
        return false;
    }
    shown_ = now;
    return true;
}

SettingsSwitch* DesktopAndDockPaneWindow::makeSwitch(const char* name, bool on,
                                                     void (DesktopAndDockPane::*set)(bool)) {
    auto* control = new SettingsSwitch;
    control->setObjectName(QString::fromLatin1(name));
    control->setOn(on);
    QObject::connect(control, &QAbstractButton::toggled, control,
                     [this, set](bool value) { (settings().desktopAndDockPane().*set)(value); });
    return control;
}

void DesktopAndDockPaneWindow::rebuild() {
    setPaneText(QStringLiteral("Desktop & Dock"),
                QStringLiteral("How Mission Control arranges your Spaces and shares them "
                               "between displays."));
    while (QLayoutItem* item = section_->takeAt(0)) {
        if (QWidget* section = item->widget()) {
            // A switch pressed in the section may still be on the stack.
            section->hide();
            section->deleteLater();
        }
        delete item;
    }
    const Shown shown = shown_.value_or(Shown{});
    std::vector<QWidget*> rows{
        new SettingsRowView(
            QStringLiteral("Automatically rearrange Spaces based on most recent use"), std::nullopt,
            makeSwitch(autoRearrangeSwitchName, shown.automaticallyRearranges,
                       &DesktopAndDockPane::setAutomaticallyRearrangesSpaces)),
        new SettingsRowView(QStringLiteral("Displays have separate Spaces"),
                            QStringLiteral("Each display keeps Spaces of its own."),
                            makeSwitch(separateSpacesSwitchName, shown.separateSpaces,
                                       &DesktopAndDockPane::setDisplaysHaveSeparateSpaces)),
    };
    auto* section =
        new SettingsSectionView(QStringLiteral("Mission Control"),
                                QStringLiteral("systemSettings.desktopAndDock.section"), rows);
    section_->addWidget(section);
    section->show(); // now, not on a later turn: a click may come before it
}

} // namespace tessarin
