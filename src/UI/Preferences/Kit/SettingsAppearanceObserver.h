#pragma once

#include "Platform/WorkspaceNotificationCenter.h"

#include <functional>

namespace tessarin {

// Calls `onChange` whenever the current host's light or dark appearance changes, until it is
// destroyed; views that keep fixed colours recompute them through it. Without a host it
// observes nothing.
class SettingsAppearanceObserver {
public:
    explicit SettingsAppearanceObserver(std::function<void()> onChange);

private:
    WorkspaceNotificationCenter::Token token_;
};

} // namespace tessarin
