#include "Support/Logger.h"

#include <array>
#include <atomic>
#include <cstdio>

namespace tessarin {

namespace {
// Held for the whole of a sink call, so setSink waits for calls of the sink it replaces.
// Recursive, so a sink may log or replace the sink itself.
std::recursive_mutex& sinkMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

LogSink& currentSink() {
    static LogSink sink = Logger::defaultSink();
    return sink;
}

constexpr std::size_t kLevelCount = static_cast<std::size_t>(LogLevel::fault) + 1;

// Switched-off levels; all start on (an atomic<bool> starts false).
std::array<std::atomic<bool>, kLevelCount>& disabledLevels() {
    static std::array<std::atomic<bool>, kLevelCount> disabled{};
    return disabled;
}
} // namespace

const char* logLevelName(LogLevel level) {
    switch (level) {
    case LogLevel::debug:
        return "debug";
    case LogLevel::info:
        return "info";
    case LogLevel::notice:
        return "notice";
    case LogLevel::error:
        return "error";
    case LogLevel::fault:
        return "fault";
    }
    return "info";
}

Logger::Logger(std::string category, std::string subsystem)
    : subsystem_(std::move(subsystem)), category_(std::move(category)) {}

bool Logger::isLevelEnabled(LogLevel level) {
    return !disabledLevels()[static_cast<std::size_t>(level)].load(std::memory_order_relaxed);
}

void Logger::setLevelEnabled(LogLevel level, bool enabled) {
    disabledLevels()[static_cast<std::size_t>(level)].store(!enabled, std::memory_order_relaxed);
}

void Logger::log(LogLevel level, const std::string& message) const {
    if (!isLevelEnabled(level)) {
        return;
    }
    std::lock_guard lock(sinkMutex());
    // A copy, so a sink that replaces the sink does not destroy itself while it runs.
    const LogSink sink = currentSink();
    if (sink) {
        sink(LogRecord{subsystem_, category_, level, message});
    }
}

LogSink Logger::setSink(LogSink sink) {
    std::lock_guard lock(sinkMutex());
    LogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

LogSink Logger::defaultSink() {
    return [](const LogRecord& record) {
        std::fprintf(stderr, "[%s:%s] %s: %s\n", record.subsystem.c_str(), record.category.c_str(),
                     logLevelName(record.level), record.message.c_str());
    };
}

ScopedLogCapture::ScopedLogCapture() {
    previous_ = Logger::setSink([this](const LogRecord& record) {
        std::lock_guard lock(mutex_);
        records_.push_back(record);
    });
}

ScopedLogCapture::~ScopedLogCapture() {
    Logger::setSink(std::move(previous_));
}

std::vector<LogRecord> ScopedLogCapture::records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<std::string> ScopedLogCapture::messages(const std::string& category) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> result;
    for (const auto& record : records_) {
        if (record.category == category) {
            result.push_back(record.message);
        }
    }
    return result;
}

void ScopedLogCapture::clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

std::string formatMilliseconds(double milliseconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", milliseconds);
    return buffer;
}

std::string formatSecondsAsMilliseconds(double seconds) {
    return formatMilliseconds(seconds * 1000.0);
}

} // namespace tessarin
