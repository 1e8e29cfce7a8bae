#include "Platform/MachineDesktop/WindowManagerHints.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

namespace tessarin::WindowManagerHints {

namespace {

xcb_connection_t* connection() {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t motifHintsAtom(xcb_connection_t* connection) {
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        constexpr std::string_view name = "_MOTIF_WM_HINTS";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
            nullptr);
        if (reply != nullptr) {
            atom = reply->atom;
        }
        std::free(reply);
    }
    return atom;
}

} // namespace

void tell(uintptr_t window, const WindowActions& actions) {
    xcb_connection_t* const x11 = connection();
    if (x11 == nullptr || window == 0) {
        return;
    }
    const xcb_atom_t atom = motifHintsAtom(x11);
    if (atom == XCB_ATOM_NONE) {
        return;
    }
    const auto hints = motifHintsOf(actions);
    xcb_change_property(x11, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window), atom, atom,
                        32, static_cast<uint32_t>(hints.size()), hints.data());
    xcb_flush(x11);
}

} // namespace tessarin::WindowManagerHints
