#include "Support/Environment.h"

#include "Support/Text.h"

#include <cstdlib>
#include <mutex>

namespace tessarin {

namespace {
struct Overrides {
    std::mutex mutex;
    std::map<std::string, std::optional<std::string>> values;
};

Overrides& overrides() {
    static Overrides instance;
    return instance;
}
} // namespace

std::optional<std::string> Environment::value(const std::string& name) {
    {
        auto& o = overrides();
        std::lock_guard lock(o.mutex);
        if (auto found = o.values.find(name); found != o.values.end()) {
            return found->second;
        }
    }
    if (const char* raw = std::getenv(name.c_str())) {
        return std::string(raw);
    }
    return std::nullopt;
}

void Environment::setOverride(const std::string& name, std::optional<std::string> value) {
    auto& o = overrides();
    std::lock_guard lock(o.mutex);
    o.values[name] = std::move(value);
}

void Environment::clearOverride(const std::string& name) {
    auto& o = overrides();
    std::lock_guard lock(o.mutex);
    o.values.erase(name);
}

ScopedEnvironmentOverride::ScopedEnvironmentOverride(std::string name,
                                                     std::optional<std::string> value)
    : name_(std::move(name)) {
    Environment::setOverride(name_, std::move(value));
}

ScopedEnvironmentOverride::~ScopedEnvironmentOverride() {
    Environment::clearOverride(name_);
}

bool isSwitchValueOn(const std::optional<std::string>& value) {
    if (!value) {
        return false;
    }
    const std::string normalized = lowercased(trimmingWhitespaceAndNewlines(*value));
    return normalized == "1" || normalized == "true" || normalized == "yes" || normalized == "on";
}

bool isSwitchValueExactlyOne(const std::optional<std::string>& value) {
    return value && *value == "1";
}

bool isEnvironmentSwitchOn(const std::string& name) {
    return isSwitchValueOn(Environment::value(name));
}

bool isEnvironmentSwitchExactlyOne(const std::string& name) {
    return isSwitchValueExactlyOne(Environment::value(name));
}

} // namespace tessarin
