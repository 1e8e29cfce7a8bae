#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tessarin {

// The services the privacy database keeps decisions for, as the reset tool names them.
namespace PrivacyService {
inline constexpr const char* accessibility = "Accessibility";
inline constexpr const char* screenCapture = "ScreenCapture";
} // namespace PrivacyService

// The system's record of the user's privacy decisions, per service and bundle identifier. A
// bundle without a decision is not allowed; a reset forgets the decision, so the system asks
// again. Main-thread only.
class PrivacyDatabase {
public:
    using Key = std::pair<std::string, std::string>; // service, bundle identifier

    static bool isKnownService(std::string_view service);

    std::optional<bool> decision(const std::string& service,
                                 const std::string& bundleIdentifier) const;
    bool isAllowed(const std::string& service, const std::string& bundleIdentifier) const {
        return decision(service, bundleIdentifier).value_or(false);
    }
    // False, and nothing stored, for a service the database does not know.
    bool setDecision(const std::string& service, const std::string& bundleIdentifier, bool allowed);
    // Forgets the bundle's decision; false for a service the database does not know.
    bool reset(const std::string& service, const std::string& bundleIdentifier);

    const std::map<Key, bool>& decisions() const { return decisions_; }

    // Told after every stored or forgotten decision.
    using ObserverToken = int;
    ObserverToken addObserver(std::function<void()> observer);
    void removeObserver(ObserverToken token);

private:
    void notify() const;

    std::map<Key, bool> decisions_;
    std::map<ObserverToken, std::function<void()>> observers_;
    ObserverToken nextObserverToken_ = 1;
};

} // namespace tessarin
