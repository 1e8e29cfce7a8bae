#pragma once

#include "Core/AppDelegate/AppDelegate.h"

#include <memory>
#include <string>
#include <vector>

namespace tessarin {

class OSDWindow;

// What the program hands its delegate: the launch arguments and the one OSD window, whose
// visible grid the launch snapshot writes. The benchmarks that start the program use it too.
AppDelegateDependencies programDependencies(const std::vector<std::string>& arguments,
                                            const std::shared_ptr<OSDWindow>& osdWindow);

} // namespace tessarin
