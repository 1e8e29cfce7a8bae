#pragma once

namespace tessarin {

enum class HealthWindowMode { setup, allSet };

// The health window, as the delegate opens it (setup when a permission is missing).
class HealthWindowPresenting {
public:
    virtual ~HealthWindowPresenting() = default;
    virtual void present(HealthWindowMode mode) = 0;
};

} // namespace tessarin
