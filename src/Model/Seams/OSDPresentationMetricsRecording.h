#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tessarin {

// One latency trace, started by a hotkey and handed along the whole switch and show path. All
// steps of one trigger share and update the same object.
struct OSDPresentationMetricsTrace {
    uint64_t id = 0;
    std::string origin; // "hotkey" or "workspace-hotkey"
    double startTime = 0;
    double lastEventTime = 0;
};
using OSDPresentationMetricsTraceRef = std::shared_ptr<OSDPresentationMetricsTrace>;

using OSDPresentationMetricsFields = std::map<std::string, std::string>;

// The presentation latency tracer as the delegate marks its steps: the real tracer
// (`OSDPresentationMetrics::recorder()`) unless a test hands in a recording one. A mark without
// a trace, or with metrics off, writes nothing and does not build its fields.
class OSDPresentationMetricsRecording {
public:
    virtual ~OSDPresentationMetricsRecording() = default;
    virtual bool isEnabled() const = 0;
    // A new trace numbered from the process-wide counter, its start and last event at
    // `startTime` (absolute seconds).
    virtual OSDPresentationMetricsTraceRef startTrace(const std::string& origin,
                                                      double startTime) = 0;
    virtual void mark(const std::string& step, const OSDPresentationMetricsTraceRef& trace,
                      const std::function<OSDPresentationMetricsFields()>& fields) = 0;
    void mark(const std::string& step, const OSDPresentationMetricsTraceRef& trace) {
        mark(step, trace, [] { return OSDPresentationMetricsFields{}; });
    }
};

} // namespace tessarin
