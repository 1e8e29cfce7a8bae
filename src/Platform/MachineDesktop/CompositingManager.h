#pragma once

namespace tessarin::CompositingManager {

// Whether this machine's desktop draws the program's windows translucent over what lies behind
// them. On an X11 desktop that takes a compositing manager, the owner of the screen's
// _NET_WM_CM_S<n> selection; without one a window's transparent pixels show black. Other
// platforms (Wayland, offscreen) always compose.
bool runs();

} // namespace tessarin::CompositingManager
