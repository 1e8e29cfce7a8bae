#pragma once

#include <memory>
#include <optional>
#include <string>

struct xcb_connection_t;

namespace tessarin {

// A connection to the X display the program is about to open, made first to see that it can be:
// the toolkit gives up the whole process when it cannot open its display, or its screen. Kept
// until the toolkit has connected, since a server whose last client leaves starts over, and a
// toolkit connecting in that moment fails.
class X11DisplayProbe {
public:
    // Connected when an X server answers at the display name (":0", "host:1.0") and has the
    // screen it names; nothing otherwise.
    static std::optional<X11DisplayProbe> open(const std::string& displayName);

private:
    struct Disconnect {
        void operator()(xcb_connection_t* connection) const;
    };
    explicit X11DisplayProbe(xcb_connection_t* connection) : connection_(connection) {}

    std::unique_ptr<xcb_connection_t, Disconnect> connection_;
};

} // namespace tessarin
