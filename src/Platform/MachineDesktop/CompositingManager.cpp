#include "Platform/MachineDesktop/CompositingManager.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

namespace tessarin::CompositingManager {

namespace {

const ScopedAnswer* scopedAnswer = nullptr;

// The screen number of the display Qt connected to: the part after the point in ":0.1".
int screenNumber() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) {
        return 0;
    }
    const std::string name(display);
    const auto colon = name.rfind(':');
    const auto point = name.find('.', colon == std::string::npos ? 0 : colon);
    return point == std::string::npos ? 0 : std::atoi(name.c_str() + point + 1);
}

} // namespace

ScopedAnswer::ScopedAnswer(bool composes) : outer_(scopedAnswer), composes_(composes) {
    scopedAnswer = this;
}

ScopedAnswer::~ScopedAnswer() {
    scopedAnswer = outer_;
}

bool runs() {
    if (scopedAnswer != nullptr) {
        return scopedAnswer->composes_;
    }
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return true;
    }
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return true;
    }
    // The selection's atom is asked for once it exists (an atom lives as long as the server);
    // until then each look asks again, as a compositing manager may start at any time.
    static xcb_atom_t selectionAtom = XCB_ATOM_NONE;
    if (selectionAtom == XCB_ATOM_NONE) {
        const std::string selection = "_NET_WM_CM_S" + std::to_string(screenNumber());
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<uint16_t>(selection.size()),
                            selection.c_str()),
            nullptr);
        if (atom != nullptr) {
            selectionAtom = atom->atom;
        }
        std::free(atom);
    }
    // No client ever named the selection: no compositing manager has run on this display.
    if (selectionAtom == XCB_ATOM_NONE) {
        return false;
    }
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selectionAtom), nullptr);
    const bool owned = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}

} // namespace tessarin::CompositingManager
