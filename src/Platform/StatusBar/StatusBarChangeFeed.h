#pragma once

#include <functional>
#include <map>

namespace tessarin {

// Tells whoever mirrors the status bar on screen that something in it changed: a status item,
// its button or its menu. Every part of the bar shares one feed with the bar.
class StatusBarChangeFeed {
public:
    using Token = int;

    Token addObserver(std::function<void()> observer);
    void removeObserver(Token token);
    void notify() const;

private:
    std::map<Token, std::function<void()>> observers_;
    Token nextToken_ = 1;
};

} // namespace tessarin
