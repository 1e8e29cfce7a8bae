#pragma once

#include "Platform/Preferences/UserDefaults.h"

#include <string>
#include <vector>

namespace tessarin {

// Records every key written to a user defaults store (sets and removals of present keys).
class DefaultsWriteRecorder {
public:
    explicit DefaultsWriteRecorder(UserDefaults& defaults) : defaults_(defaults) {
        token_ = defaults_.addObserver([this](const std::string& key) { keys.push_back(key); });
    }
    ~DefaultsWriteRecorder() { defaults_.removeObserver(token_); }
    DefaultsWriteRecorder(const DefaultsWriteRecorder&) = delete;
    DefaultsWriteRecorder& operator=(const DefaultsWriteRecorder&) = delete;

    std::size_t count() const { return keys.size(); }
    void clear() { keys.clear(); }

    std::vector<std::string> keys;

private:
    UserDefaults& defaults_;
    UserDefaultsObserverToken token_;
};

} // namespace tessarin
