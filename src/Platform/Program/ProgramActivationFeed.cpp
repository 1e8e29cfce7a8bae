#include "Platform/Program/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"

#include <QGuiApplication>

namespace tessarin {

namespace {

void follow(ProgramActivation& activation, Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
        activation.activate();
    } else {
        activation.resignActive();
    }
}

} // namespace

ProgramActivationFeed::ProgramActivationFeed(QGuiApplication& application,
                                             ProgramActivation& activation) {
    // A program started from a menu-bar item is not active until one of its windows is.
    follow(activation, QGuiApplication::applicationState());
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, this,
                     [&activation](Qt::ApplicationState state) { follow(activation, state); });
}

} // namespace tessarin
