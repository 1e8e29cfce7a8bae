#pragma once

namespace tessarin::CompositingManager {

// Whether this machine's desktop draws the program's windows translucent over what lies behind
// them. On an X11 desktop that takes a compositing manager, the owner of the screen's
// _NET_WM_CM_S<n> selection; without one a window's transparent pixels show black. Other
// platforms (Wayland, offscreen) always compose.
bool runs();

// Has `runs()` give `composes` while it lives, whatever the desktop: tests draw the program's
// windows as either desktop shows them. Main thread only; the innermost one answers.
class ScopedAnswer {
public:
    explicit ScopedAnswer(bool composes);
    ~ScopedAnswer();
    ScopedAnswer(const ScopedAnswer&) = delete;
    ScopedAnswer& operator=(const ScopedAnswer&) = delete;

private:
    friend bool runs();
    const ScopedAnswer* outer_;
    bool composes_;
};

} // namespace tessarin::CompositingManager
