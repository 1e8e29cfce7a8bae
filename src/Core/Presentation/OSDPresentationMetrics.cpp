#include "Core/Presentation/OSDPresentationMetrics.h"

#include "Core/Presentation/OSDPresentationMetricEvent.h"
#include "Support/Environment.h"
#include "Support/MainQueue.h"
#include "Support/Text.h"

namespace tessarin {

namespace {

uint64_t& traceCounter() {
    static uint64_t counter = 0;
    return counter;
}

// What the environment said on first use; thread-safe through the static's initialisation.
bool environmentEnablesMetrics() {
    static const bool enabled = OSDPresentationMetrics::switchValueEnablesMetrics(
        Environment::value(OSDPresentationMetrics::environmentVariable));
    return enabled;
}

// Forwards the delegate's seam to the tracer.
class Recorder final : public OSDPresentationMetricsRecording {
public:
    bool isEnabled() const override { return OSDPresentationMetrics::isEnabled(); }
    OSDPresentationMetricsTraceRef startTrace(const std::string& origin,
                                              double startTime) override {
        return OSDPresentationMetrics::newTrace(origin, startTime);
    }
    using OSDPresentationMetricsRecording::mark;
    void mark(const std::string& step, const OSDPresentationMetricsTraceRef& trace,
              const std::function<OSDPresentationMetricsFields()>& fields) override {
        OSDPresentationMetrics::mark(
            step, trace, [&fields] { return fields ? fields() : OSDPresentationMetricsFields{}; });
    }
};

} // namespace

const std::set<std::string>& OSDPresentationMetrics::enabledValues() {
    static const std::set<std::string> values{"1", "true", "yes", "on"};
    return values;
}

bool OSDPresentationMetrics::switchValueEnablesMetrics(const std::optional<std::string>& value) {
    return value && enabledValues().count(lowercased(trimmingWhitespaceAndNewlines(*value))) > 0;
}

bool& OSDPresentationMetrics::enabledFlag() {
    static bool enabled = environmentEnablesMetrics();
    return enabled;
}

void OSDPresentationMetrics::overrideEnabledForTesting(std::optional<bool> enabled) {
    enabledFlag() = enabled.value_or(environmentEnablesMetrics());
}

const Logger& OSDPresentationMetrics::logger() {
    static const Logger logger(category);
    return logger;
}

std::string OSDPresentationMetrics::directionValue(uint32_t direction) {
    static const char* const names[] = {"left", "right", "up", "down"};
    return direction < std::size(names) ? names[direction] : "unknown";
}

double OSDPresentationMetrics::currentTime() {
    if (MainQueue* queue = MainQueue::installed()) {
        return queue->absoluteTime();
    }
    return SystemClock().absoluteTime();
}

OSDPresentationMetricsTraceRef OSDPresentationMetrics::newTrace(std::string_view origin,
                                                                double startTime) {
    if (!isEnabled()) {
        return nullptr;
    }
    const uint64_t id = ++traceCounter();
    return std::make_shared<Trace>(Trace{id, std::string(origin), startTime, startTime});
}

void OSDPresentationMetrics::markBuilt(std::string_view step, Trace& trace, double now,
                                       Fields fields) {
    const double delta = now - trace.lastEventTime;
    trace.lastEventTime = now;
    fields["trace"] = std::to_string(trace.id);
    fields["origin"] = trace.origin;
    fields["elapsedMs"] = formatSecondsAsMilliseconds(now - trace.startTime);
    fields["deltaMs"] = formatSecondsAsMilliseconds(delta);
    emit(step, fields);
}

void OSDPresentationMetrics::emit(std::string_view step, const Fields& fields) {
    if (!isEnabled() || !Logger::isLevelEnabled(LogLevel::notice)) {
        return;
    }
    logger().notice(OSDPresentationMetricEvent{std::string(step), fields}.logMessage());
}

OSDPresentationMetricsRecording& OSDPresentationMetrics::recorder() {
    static Recorder recorder;
    return recorder;
}

} // namespace tessarin
