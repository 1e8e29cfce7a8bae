#include "Platform/MachineInput/MachinePointer.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/MachineScreen.h"
#include "Platform/StatusBar/HostMenuBarPlace.h"

#include <QCursor>
#include <QObject>
#include <QVariant>

namespace tessarin {

namespace {

constexpr const char* kHostMenuBarProperty = "tessarinHostMenuBar";

std::optional<Point> hostPointFor(Host& host, Point machinePoint, const QObject* under) {
    MachineScreen& screen = MachineScreen::of(host);
    if (!screen.area()) {
        return std::nullopt;
    }
    if (isHostMenuBar(under)) {
        const auto place = hostMenuBarPlace(host);
        return place ? std::optional(place->statusItemPoint()) : std::nullopt;
    }
    return screen.windowServerPointAt(machinePoint);
}

} // namespace

void markAsHostMenuBar(QObject& window) {
    window.setProperty(kHostMenuBarProperty, true);
}

bool isHostMenuBar(const QObject* object) {
    for (; object != nullptr; object = object->parent()) {
        if (object->property(kHostMenuBarProperty).toBool()) {
            return true;
        }
    }
    return false;
}

void followMachinePointer(Host& host, Point machinePoint, const QObject* under) {
    const auto point = hostPointFor(host, machinePoint, under);
    if (!point || *point == host.displays().cursorLocation()) {
        return;
    }
    host.events().physical().moveMouse(*point);
}

void followMachinePointer(const QObject* under) {
    Host* host = Host::installed();
    if (host == nullptr) {
        return;
    }
    const QPoint machine = QCursor::pos();
    followMachinePointer(
        *host, {static_cast<double>(machine.x()), static_cast<double>(machine.y())}, under);
}

} // namespace tessarin
