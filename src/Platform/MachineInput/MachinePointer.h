#pragma once

#include "Support/Geometry.h"

class QObject;

namespace tessarin {

class Host;

// Marks a window of the program as a piece of the host's menu bar: the status item's stand-in
// and the item's menu. On the host both lie on the menu-bar display, whichever part of the
// machine's screen shows them, so the host's pointer over them lies on the status item.
void markAsHostMenuBar(QObject& window);
// Whether the object is, or lies in, a window marked so.
bool isHostMenuBar(const QObject* object);

// The machine's pointer as the host's: where it lies on one of the host's displays as the
// machine's screen shows them, the host's mouse moves there (the host's pointer follows, and a
// moved event travels the session); over a piece of the host's menu bar (`under`, the object
// the pointer is over or the keys go to) it moves to the status item. Nothing when it lies on
// none of them, or when the displays are shown on no screen of the machine (offscreen, in
// tests).
void followMachinePointer(Host& host, Point machinePoint, const QObject* under = nullptr);
// The same, with the machine's pointer where it is now, on the current host (nothing when
// there is none).
void followMachinePointer(const QObject* under = nullptr);

} // namespace tessarin
