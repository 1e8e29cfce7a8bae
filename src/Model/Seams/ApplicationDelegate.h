#pragma once

namespace tessarin {

class HotkeyReregistering;

// The application's delegate for the run, as the views that must reach it know it: the part
// that registers the hot keys anew. Whoever builds the delegate installs it here for the current
// host, and the shortcut recorders ask here. None before one is installed.
namespace ApplicationDelegate {

void install(HotkeyReregistering* delegate);
HotkeyReregistering* current();

} // namespace ApplicationDelegate

} // namespace tessarin
