#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

// Preference values of every domain, by domain name. The program's own domain
// (kBundleIdentifier) is the store handed in, the same one its user defaults use; every other
// domain ("com.apple.dock", "com.apple.spaces", ...) is held in memory, filled from scenario data,
// and starts empty when first named.
class Preferences {
public:
    explicit Preferences(UserDefaults& ownDomain);
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    std::optional<PropertyValue> copyAppValue(const std::string& key,
                                              const std::string& domain) const;
    // The stored value, shared instead of copied; none when absent.
    std::shared_ptr<const PropertyValue> appValue(const std::string& key,
                                                  const std::string& domain) const;
    // An absent value removes the key.
    void setAppValue(const std::string& key, std::optional<PropertyValue> value,
                     const std::string& domain);
    bool appSynchronize(const std::string& domain);

    UserDefaults& domain(const std::string& name);
    bool hasDomain(const std::string& name) const;

    // Replaces a domain's values by a JSON object of plain values. On failure the domain is left
    // as it was and the message says which domain and which key is wrong.
    std::optional<std::string> loadDomainFromJson(const std::string& name,
                                                  const nlohmann::json& json);

    UserDefaults& ownDomain() { return ownDomain_; }

private:
    UserDefaults* find(const std::string& name) const;

    UserDefaults& ownDomain_;
    std::map<std::string, std::unique_ptr<UserDefaults>> otherDomains_;
};

} // namespace tessarin
