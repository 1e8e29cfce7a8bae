#pragma once

#include <functional>
#include <map>

namespace tessarin {

// Whether the program is the active application. Another application coming to the front
// (System Settings opened from the program) makes it resign; observers hear every change.
// Main-thread only.
class ProgramActivation {
public:
    using Token = int;

    bool isActive() const { return active_; }
    void activate() { setActive(true); }
    void resignActive() { setActive(false); }

    Token addObserver(std::function<void(bool active)> observer);
    void removeObserver(Token token) { observers_.erase(token); }

private:
    void setActive(bool active);

    bool active_ = true;
    Token nextToken_ = 1;
    std::map<Token, std::function<void(bool)>> observers_;
};

} // namespace tessarin
