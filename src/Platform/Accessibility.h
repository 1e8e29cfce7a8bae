#pragma once

#include "Platform/AccessibilityElement.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The accessibility interface of the system: application elements by process, attribute reads
// and actions. Every call fails with `apiDisabled` while the process is not trusted. The trees
// come from the applications that publish one (the Dock publishes Mission Control's).
// Main-thread only.
class Accessibility {
public:
    // The root of a process's tree, or null when the process publishes none.
    using ApplicationTreeProvider =
        std::function<std::shared_ptr<const AccessibilityNode>(int32_t processIdentifier)>;
    using ProviderToken = int;

    explicit Accessibility(std::function<bool()> isProcessTrusted);
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    bool isProcessTrusted() const;

    ProviderToken addApplicationTreeProvider(ApplicationTreeProvider provider);
    void removeApplicationTreeProvider(ProviderToken token);

    // The application element of a process. Always an element; calls on it fail with
    // `cannotComplete` when the process publishes no tree.
    AccessibilityElement createApplication(int32_t processIdentifier) const;

    AccessibilityResult<AccessibilityValue> copyAttributeValue(const AccessibilityElement& element,
                                                               std::string_view attribute) const;
    AccessibilityResult<std::vector<std::string>>
    copyAttributeNames(const AccessibilityElement& element) const;
    AccessibilityResult<std::vector<std::string>>
    copyActionNames(const AccessibilityElement& element) const;
    AccessibilityError performAction(const AccessibilityElement& element, std::string_view action);

private:
    struct Providers;
    std::function<bool()> isProcessTrusted_;
    std::shared_ptr<Providers> providers_;
};

// Typed reads of a value; nothing when the value has another type.
std::optional<std::string> accessibilityString(const AccessibilityValue& value);
std::optional<Rect> accessibilityFrame(const AccessibilityValue& value);
std::optional<AccessibilityElementList> accessibilityElements(const AccessibilityValue& value);

} // namespace tessarin
