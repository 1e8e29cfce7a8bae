#include "Platform/Preferences/Preferences.h"

#include "Support/BundleIdentifier.h"

#include <nlohmann/json.hpp>

namespace tessarin {

Preferences::Preferences(UserDefaults& ownDomain) : ownDomain_(ownDomain) {}

UserDefaults* Preferences::find(const std::string& name) const {
    if (name == kBundleIdentifier) {
        return &ownDomain_;
    }
    auto it = otherDomains_.find(name);
    return it == otherDomains_.end() ? nullptr : it->second.get();
}

std::optional<PropertyValue> Preferences::copyAppValue(const std::string& key,
                                                       const std::string& domain) const {
    const UserDefaults* store = find(domain);
    return store ? store->object(key) : std::nullopt;
}

std::shared_ptr<const PropertyValue> Preferences::appValue(const std::string& key,
                                                           const std::string& domain) const {
    const UserDefaults* store = find(domain);
    return store ? store->sharedObject(key) : nullptr;
}

void Preferences::setAppValue(const std::string& key, std::optional<PropertyValue> value,
                              const std::string& domainName) {
    UserDefaults& store = domain(domainName);
    if (value) {
        store.set(key, std::move(*value));
    } else {
        store.remove(key);
    }
}

bool Preferences::appSynchronize(const std::string& domainName) {
    UserDefaults* store = find(domainName);
    return store ? store->synchronize() : true;
}

UserDefaults& Preferences::domain(const std::string& name) {
    if (UserDefaults* store = find(name)) {
        return *store;
    }
    auto& slot = otherDomains_[name];
    slot = std::make_unique<UserDefaults>();
    return *slot;
}

bool Preferences::hasDomain(const std::string& name) const {
    return find(name) != nullptr;
}

std::optional<std::string> Preferences::loadDomainFromJson(const std::string& name,
                                                           const nlohmann::json& json) {
    if (name.empty()) {
        return "preference domain name is empty";
    }
    const std::string where = "preference domain \"" + name + "\"";
    if (!json.is_object()) {
        return where + ": expected a JSON object of keys and values, found " +
               std::string(json.type_name());
    }
    PropertyDictionary values;
    for (const auto& [key, member] : json.items()) {
        auto parsed = fromPlainJson(member);
        if (!parsed.value) {
            return where + ", key \"" + key + "\": " + parsed.error;
        }
        values.emplace(key, std::move(*parsed.value));
    }
    domain(name).replaceAll(std::move(values));
    return std::nullopt;
}

} // namespace tessarin
