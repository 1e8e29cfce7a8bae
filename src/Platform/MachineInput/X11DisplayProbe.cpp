#include "Platform/MachineInput/X11DisplayProbe.h"

#include <xcb/xcb.h>

namespace tessarin {

bool x11DisplayOpens(const std::string& displayName) {
    // An empty name would make the library read DISPLAY itself, which is not the name asked about.
    if (displayName.empty()) {
        return false;
    }
    xcb_connection_t* connection = xcb_connect(displayName.c_str(), nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened;
}

} // namespace tessarin
