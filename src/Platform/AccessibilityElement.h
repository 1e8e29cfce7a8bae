#pragma once

#include "Support/Geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessarin {

// What an accessibility call can answer instead of a value.
enum class AccessibilityError {
    success,
    failure,
    illegalArgument,
    invalidElement, // the element no longer exists (its window or control went away)
    cannotComplete, // the application did not answer
    attributeUnsupported,
    actionUnsupported,
    noValue,
    apiDisabled, // the process is not trusted for Accessibility
};

const char* accessibilityErrorName(AccessibilityError error);

class AccessibilityNode;

// A reference to one element of an application's accessibility tree. Copies refer to the same
// element; two references are equal when they name the same element, even if each was read
// separately. A reference outlives its element: calls on it then fail with `invalidElement`.
class AccessibilityElement {
public:
    AccessibilityElement() = default;
    explicit AccessibilityElement(std::shared_ptr<const AccessibilityNode> node);

    bool isNull() const { return node_ == nullptr; }
    const AccessibilityNode* node() const { return node_.get(); }

    friend bool operator==(const AccessibilityElement& a, const AccessibilityElement& b);

private:
    std::shared_ptr<const AccessibilityNode> node_;
};

using AccessibilityElementList = std::vector<AccessibilityElement>;

// An attribute's value: text, a flag, a number, a frame (window-server coordinates, y down),
// one element or a list of elements.
using AccessibilityValue =
    std::variant<std::string, bool, int64_t, Rect, AccessibilityElement, AccessibilityElementList>;

// A value, or the error that came instead.
template <typename T> struct AccessibilityResult {
    std::optional<T> value;
    AccessibilityError error = AccessibilityError::success;

    static AccessibilityResult success(T result) {
        return {std::move(result), AccessibilityError::success};
    }
    static AccessibilityResult failure(AccessibilityError reason) { return {std::nullopt, reason}; }
    bool succeeded() const { return value.has_value(); }
    friend bool operator==(const AccessibilityResult&, const AccessibilityResult&) = default;
};

// One element as the application that owns it answers for it. Nodes are made fresh by each
// read of a tree; `identity` names the element across reads.
class AccessibilityNode {
public:
    virtual ~AccessibilityNode() = default;

    virtual std::string identity() const = 0;
    virtual std::vector<std::string> attributeNames() const = 0;
    virtual AccessibilityResult<AccessibilityValue>
    attributeValue(std::string_view attribute) const = 0;
    virtual AccessibilityResult<std::vector<std::string>> actionNames() const {
        return AccessibilityResult<std::vector<std::string>>::success({});
    }
    virtual AccessibilityError performAction(std::string_view action) const {
        (void)action;
        return AccessibilityError::actionUnsupported;
    }
};

} // namespace tessarin
