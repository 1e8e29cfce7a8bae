#include "Platform/MachineInput/X11DisplayProbe.h"

#include "Platform/MachineInput/X11DisplayScreen.h"

#include <xcb/xcb.h>

namespace tessarin {

void X11DisplayProbe::Disconnect::operator()(xcb_connection_t* connection) const {
    xcb_disconnect(connection);
}

std::optional<X11DisplayProbe> X11DisplayProbe::open(const std::string& displayName) {
    // An empty name would make the library read DISPLAY itself, which is not the name asked about.
    if (displayName.empty()) {
        return std::nullopt;
    }
    const std::optional<int> screen = x11DisplayScreen(displayName);
    if (!screen) {
        return std::nullopt;
    }
    X11DisplayProbe probe(xcb_connect(displayName.c_str(), nullptr));
    xcb_connection_t* connection = probe.connection_.get();
    if (xcb_connection_has_error(connection) != 0 ||
        *screen >= xcb_setup_roots_length(xcb_get_setup(connection))) {
        return std::nullopt;
    }
    return probe;
}

} // namespace tessarin
