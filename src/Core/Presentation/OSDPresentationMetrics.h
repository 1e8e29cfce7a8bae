#pragma once

#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Support/Logger.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace tessarin {

// The presentation latency tracer: one trace per hotkey press, handed along the switch and show
// path, and one "OSDMetrics" line per step. Off unless TESSARIN_OSD_METRICS switches it on
// (read once per process); when off every call is one test of a flag, the field builders are
// not run and nothing is allocated. Main thread only, apart from the one-time reading of the
// switch.
class OSDPresentationMetrics {
public:
    using Trace = OSDPresentationMetricsTrace;
    using Fields = OSDPresentationMetricsFields;

    OSDPresentationMetrics() = delete;

    static constexpr const char* environmentVariable = "TESSARIN_OSD_METRICS";
    static constexpr const char* category = "OSDMetrics";

    static const std::set<std::string>& enabledValues();
    // Whether a value of the switch turns metrics on ("1", "true", "yes", "on", trimmed and
    // lower-cased).
    static bool switchValueEnablesMetrics(const std::optional<std::string>& value);
    static bool isEnabled() { return enabledFlag(); }
    static const Logger& logger();

    // A new trace numbered from the process-wide counter (the first is 1), after marking its
    // first step "hotkey.handler.started" with `fields()`; nothing when metrics are off.
    template <class MakeFields>
    static OSDPresentationMetricsTraceRef start(std::string_view origin, double startTime,
                                                MakeFields&& fields) {
        if (!isEnabled()) {
            return nullptr;
        }
        auto trace = newTrace(origin, startTime);
        mark("hotkey.handler.started", trace, std::forward<MakeFields>(fields));
        return trace;
    }
    // A trace without its first mark; the caller marks it. Nothing when metrics are off.
    static OSDPresentationMetricsTraceRef newTrace(std::string_view origin, double startTime);

    // Writes the step with `fields()` and the four common fields (trace, origin, elapsedMs,
    // deltaMs), which replace a caller's keys of the same names. Nothing without a trace or
    // with metrics off; `fields` is then not called.
    template <class MakeFields>
    static void mark(std::string_view step, const OSDPresentationMetricsTraceRef& trace,
                     MakeFields&& fields) {
        if (!trace || !isEnabled()) {
            return;
        }
        const double now = currentTime(); // before the caller's fields are built
        markBuilt(step, *trace, now, fields());
    }
    static void mark(std::string_view step, const OSDPresentationMetricsTraceRef& trace) {
        mark(step, trace, [] { return Fields{}; });
    }
    // Writes a finished line as it is, when metrics are on and the default log level is.
    static void emit(std::string_view step, const Fields& fields);

    // The tracer behind the delegate's metrics seam, for code that takes the seam.
    static OSDPresentationMetricsRecording& recorder();

    // Absolute seconds of the main queue's clock (the virtual one in tests).
    static double currentTime();
    // A switch direction (0 to 3) as every line writes it: "left", "right", "up", "down"; any
    // other value "unknown".
    static std::string directionValue(uint32_t direction);

    // Tests only: forces the switch on or off (none: back to the environment's answer).
    static void overrideEnabledForTesting(std::optional<bool> enabled);

private:
    static bool& enabledFlag();
    static void markBuilt(std::string_view step, Trace& trace, double now, Fields fields);
};

// Switches metrics on (or off) for the lifetime of a scope, restoring the environment's answer.
class ScopedOSDPresentationMetrics {
public:
    explicit ScopedOSDPresentationMetrics(bool enabled) {
        OSDPresentationMetrics::overrideEnabledForTesting(enabled);
    }
    ~ScopedOSDPresentationMetrics() { OSDPresentationMetrics::overrideEnabledForTesting({}); }
    ScopedOSDPresentationMetrics(const ScopedOSDPresentationMetrics&) = delete;
    ScopedOSDPresentationMetrics& operator=(const ScopedOSDPresentationMetrics&) = delete;
};

} // namespace tessarin
