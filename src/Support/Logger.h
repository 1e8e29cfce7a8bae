#pragma once

#include "Support/BundleIdentifier.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tessarin {

enum class LogLevel { debug, info, notice, error, fault };

const char* logLevelName(LogLevel level);

struct LogRecord {
    std::string subsystem;
    std::string category;
    LogLevel level = LogLevel::info;
    std::string message;
    friend bool operator==(const LogRecord&, const LogRecord&) = default;
};

using LogSink = std::function<void(const LogRecord&)>;

// A logger of one concern: subsystem = the bundle identifier, one category per concern. The
// caller builds the message as one string (an event name followed by key=value pairs), so a
// sink receives each line whole.
class Logger {
public:
    explicit Logger(std::string category, std::string subsystem = kBundleIdentifier);

    void log(LogLevel level, const std::string& message) const;
    void debug(const std::string& message) const { log(LogLevel::debug, message); }
    void info(const std::string& message) const { log(LogLevel::info, message); }
    void notice(const std::string& message) const { log(LogLevel::notice, message); }
    void error(const std::string& message) const { log(LogLevel::error, message); }
    void fault(const std::string& message) const { log(LogLevel::fault, message); }

    const std::string& category() const { return category_; }
    const std::string& subsystem() const { return subsystem_; }

    // Replaces the process-wide sink; returns the previous one once no call of it is running
    // on any thread, so its owner may go away. Sink calls are serialised: a sink must not wait
    // for another thread that logs. The default writes to stderr.
    static LogSink setSink(LogSink sink);
    static LogSink defaultSink();

    // Whether lines of a level reach the sink at all; every level is on until switched off.
    // Callers that render an expensive line ask first.
    static bool isLevelEnabled(LogLevel level);
    static void setLevelEnabled(LogLevel level, bool enabled);

private:
    std::string subsystem_;
    std::string category_;
};

// Collects every record for the lifetime of a scope (tests), restoring the previous sink.
class ScopedLogCapture {
public:
    ScopedLogCapture();
    ~ScopedLogCapture();
    ScopedLogCapture(const ScopedLogCapture&) = delete;
    ScopedLogCapture& operator=(const ScopedLogCapture&) = delete;

    std::vector<LogRecord> records() const;
    std::vector<std::string> messages(const std::string& category) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<LogRecord> records_;
    LogSink previous_;
};

// Durations in log lines are milliseconds with two decimals ("%.2f").
std::string formatMilliseconds(double milliseconds);
std::string formatSecondsAsMilliseconds(double seconds);

} // namespace tessarin
