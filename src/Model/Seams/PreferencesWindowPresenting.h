#pragma once

namespace tessarin {

// The preferences window controller, made by the delegate on first use and kept for the run.
class PreferencesWindowPresenting {
public:
    virtual ~PreferencesWindowPresenting() = default;
    virtual bool hasWindow() const = 0;
    // Activates the program ignoring other applications, makes the window key and orders it
    // front, then orders it front regardless.
    virtual void bringWindowToFront() = 0;
};

} // namespace tessarin
