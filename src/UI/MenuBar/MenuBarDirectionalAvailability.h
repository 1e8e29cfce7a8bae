#pragma once

namespace tessarin {

// Which of the menu's four Switch items can act.
struct MenuBarDirectionalAvailability {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
    friend bool operator==(const MenuBarDirectionalAvailability&,
                           const MenuBarDirectionalAvailability&) = default;
};

} // namespace tessarin
