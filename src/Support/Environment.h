#pragma once

#include <map>
#include <optional>
#include <string>

namespace tessarin {

// The process environment, with an override layer so tests can set variables without touching
// the real environment. An override of std::nullopt hides a real variable.
class Environment {
public:
    static std::optional<std::string> value(const std::string& name);
    static void setOverride(const std::string& name, std::optional<std::string> value);
    static void clearOverride(const std::string& name);
};

class ScopedEnvironmentOverride {
public:
    ScopedEnvironmentOverride(std::string name, std::optional<std::string> value);
    ~ScopedEnvironmentOverride();
    ScopedEnvironmentOverride(const ScopedEnvironmentOverride&) = delete;
    ScopedEnvironmentOverride& operator=(const ScopedEnvironmentOverride&) = delete;

private:
    std::string name_;
};

// A switch is on when its value, trimmed and lower-cased, is "1", "true", "yes" or "on".
bool isSwitchValueOn(const std::optional<std::string>& value);
// Some switches are on only for exactly "1".
bool isSwitchValueExactlyOne(const std::optional<std::string>& value);

bool isEnvironmentSwitchOn(const std::string& name);
bool isEnvironmentSwitchExactlyOne(const std::string& name);

} // namespace tessarin
