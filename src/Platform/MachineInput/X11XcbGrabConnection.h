#pragma once

#include "Platform/MachineInput/X11GrabConnection.h"

#include <memory>

namespace tessarin {

// The grab's requests on Qt's own X connection. Nothing when the program does not run on X11.
std::unique_ptr<X11GrabConnection> makeX11XcbGrabConnection();

} // namespace tessarin
