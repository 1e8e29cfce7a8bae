#include "Platform/MachineInput/MachinePointer.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/MachineScreen.h"

#include <QCursor>

namespace tessarin {

void followMachinePointer(Host& host, Point machinePoint) {
    const auto point = MachineScreen::of(host).windowServerPointAt(machinePoint);
    if (!point || *point == host.displays().cursorLocation()) {
        return;
    }
    host.events().physical().moveMouse(*point);
}

void followMachinePointer() {
    Host* host = Host::installed();
    if (host == nullptr) {
        return;
    }
    const QPoint machine = QCursor::pos();
    followMachinePointer(*host,
                         {static_cast<double>(machine.x()), static_cast<double>(machine.y())});
}

} // namespace tessarin
