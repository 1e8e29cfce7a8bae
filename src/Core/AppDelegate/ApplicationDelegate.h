#pragma once

namespace tessarin {

class AppDelegate;

// The application's delegate for the run, as the application object knows it: whoever builds
// the delegate installs it here for the current host, and views that must reach it (the
// shortcut recorders) ask here. None before one is installed.
namespace ApplicationDelegate {

void install(AppDelegate* delegate);
AppDelegate* current();

} // namespace ApplicationDelegate

} // namespace tessarin
