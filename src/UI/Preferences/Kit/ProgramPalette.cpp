#include "UI/Preferences/Kit/ProgramPalette.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QApplication>

namespace tessarin {

namespace {

bool hasWidgetApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

ProgramPalette::ProgramPalette()
    : active_(hasWidgetApplication()), previous_(active_ ? QApplication::palette() : QPalette()),
      appearanceObserver_([this] { apply(); }) {
    apply();
}

ProgramPalette::~ProgramPalette() {
    if (active_ && hasWidgetApplication()) {
        QApplication::setPalette(previous_);
    }
}

void ProgramPalette::apply() {
    if (active_ && hasWidgetApplication()) {
        namespace L = SettingsPageLayout;
        QApplication::setPalette(L::controlPalette(L::effectiveAppearance()));
    }
}

} // namespace tessarin
