#pragma once

namespace tessarin {

using TimeInterval = double; // seconds

// Two clocks, as the platform has them: absolute time (seconds since 1 January 2001, for dates
// that are stored or logged) and uptime (monotonic seconds since boot, for deadlines and ages).
class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeInterval absoluteTime() const = 0;
    virtual TimeInterval uptime() const = 0;
};

class SystemClock final : public Clock {
public:
    TimeInterval absoluteTime() const override;
    TimeInterval uptime() const override;
};

// Seconds between the Unix epoch and 1 January 2001.
inline constexpr TimeInterval kAbsoluteTimeIntervalSince1970 = 978307200.0;

} // namespace tessarin
