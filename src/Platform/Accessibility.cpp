#include "Platform/Accessibility.h"

#include "Platform/AccessibilityNames.h"

#include <string>
#include <utility>

namespace tessarin {

struct Accessibility::Providers {
    std::map<ProviderToken, ApplicationTreeProvider> byToken;
    ProviderToken nextToken = 1;

    std::shared_ptr<const AccessibilityNode> root(int32_t processIdentifier) const {
        for (const auto& [token, provider] : byToken) {
            if (auto node = provider(processIdentifier)) {
                return node;
            }
        }
        return nullptr;
    }
};

namespace {

// The element `createApplication` hands out: it stands for the process and asks the process's
// current tree on every call, so it stays valid while the tree underneath it changes.
class ApplicationReference final : public AccessibilityNode {
public:
    ApplicationReference(int32_t processIdentifier,
                         std::function<std::shared_ptr<const AccessibilityNode>()> root)
        : processIdentifier_(processIdentifier), root_(std::move(root)) {}

    std::string identity() const override {
        return "application:" + std::to_string(processIdentifier_);
    }
    std::vector<std::string> attributeNames() const override {
        const auto node = root_();
        return node ? node->attributeNames() : std::vector<std::string>{};
    }
    AccessibilityResult<AccessibilityValue>
    attributeValue(std::string_view attribute) const override {
        const auto node = root_();
        if (!node) {
            return AccessibilityResult<AccessibilityValue>::failure(
                AccessibilityError::cannotComplete);
        }
        return node->attributeValue(attribute);
    }
    AccessibilityResult<std::vector<std::string>> actionNames() const override {
        const auto node = root_();
        if (!node) {
            return AccessibilityResult<std::vector<std::string>>::failure(
                AccessibilityError::cannotComplete);
        }
        return node->actionNames();
    }
    AccessibilityError performAction(std::string_view action) const override {
        const auto node = root_();
        return node ? node->performAction(action) : AccessibilityError::cannotComplete;
    }

private:
    int32_t processIdentifier_;
    std::function<std::shared_ptr<const AccessibilityNode>()> root_;
};

} // namespace

const char* accessibilityErrorName(AccessibilityError error) {
    switch (error) {
    case AccessibilityError::success:
        return "success";
    case AccessibilityError::failure:
        return "failure";
    case AccessibilityError::illegalArgument:
        return "illegalArgument";
    case AccessibilityError::invalidElement:
        return "invalidElement";
    case AccessibilityError::cannotComplete:
        return "cannotComplete";
    case AccessibilityError::attributeUnsupported:
        return "attributeUnsupported";
    case AccessibilityError::actionUnsupported:
        return "actionUnsupported";
    case AccessibilityError::noValue:
        return "noValue";
    case AccessibilityError::apiDisabled:
        return "apiDisabled";
    }
    return "failure";
}

AccessibilityElement::AccessibilityElement(std::shared_ptr<const AccessibilityNode> node)
    : node_(std::move(node)) {}

bool operator==(const AccessibilityElement& a, const AccessibilityElement& b) {
    if (a.node_ == b.node_) {
        return true;
    }
    if (a.node_ == nullptr || b.node_ == nullptr) {
        return false;
    }
    return a.node_->identity() == b.node_->identity();
}

Accessibility::Accessibility(std::function<bool()> isProcessTrusted)
    : isProcessTrusted_(std::move(isProcessTrusted)), providers_(std::make_shared<Providers>()) {}

Accessibility::~Accessibility() = default;

bool Accessibility::isProcessTrusted() const {
    return isProcessTrusted_ && isProcessTrusted_();
}

Accessibility::ProviderToken
Accessibility::addApplicationTreeProvider(ApplicationTreeProvider provider) {
    const ProviderToken token = providers_->nextToken++;
    providers_->byToken.emplace(token, std::move(provider));
    return token;
}

void Accessibility::removeApplicationTreeProvider(ProviderToken token) {
    providers_->byToken.erase(token);
}

AccessibilityElement Accessibility::createApplication(int32_t processIdentifier) const {
    std::weak_ptr<Providers> providers = providers_;
    return AccessibilityElement(std::make_shared<ApplicationReference>(
        processIdentifier,
        [providers, processIdentifier]() -> std::shared_ptr<const AccessibilityNode> {
            const auto alive = providers.lock();
            return alive ? alive->root(processIdentifier) : nullptr;
        }));
}

AccessibilityResult<AccessibilityValue>
Accessibility::copyAttributeValue(const AccessibilityElement& element,
                                  std::string_view attribute) const {
    using Result = AccessibilityResult<AccessibilityValue>;
    if (!isProcessTrusted()) {
        return Result::failure(AccessibilityError::apiDisabled);
    }
    if (element.isNull() || attribute.empty()) {
        return Result::failure(AccessibilityError::illegalArgument);
    }
    return element.node()->attributeValue(attribute);
}

AccessibilityResult<std::vector<std::string>>
Accessibility::copyAttributeNames(const AccessibilityElement& element) const {
    using Result = AccessibilityResult<std::vector<std::string>>;
    if (!isProcessTrusted()) {
        return Result::failure(AccessibilityError::apiDisabled);
    }
    if (element.isNull()) {
        return Result::failure(AccessibilityError::illegalArgument);
    }
    // An element that went away has no attributes to list.
    const auto role = element.node()->attributeValue(AccessibilityAttribute::role);
    if (!role.succeeded() && role.error != AccessibilityError::attributeUnsupported) {
        return Result::failure(role.error);
    }
    return Result::success(element.node()->attributeNames());
}

AccessibilityResult<std::vector<std::string>>
Accessibility::copyActionNames(const AccessibilityElement& element) const {
    using Result = AccessibilityResult<std::vector<std::string>>;
    if (!isProcessTrusted()) {
        return Result::failure(AccessibilityError::apiDisabled);
    }
    if (element.isNull()) {
        return Result::failure(AccessibilityError::illegalArgument);
    }
    return element.node()->actionNames();
}

AccessibilityError Accessibility::performAction(const AccessibilityElement& element,
                                                std::string_view action) {
    if (!isProcessTrusted()) {
        return AccessibilityError::apiDisabled;
    }
    if (element.isNull() || action.empty()) {
        return AccessibilityError::illegalArgument;
    }
    return element.node()->performAction(action);
}

std::optional<std::string> accessibilityString(const AccessibilityValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return std::nullopt;
}

std::optional<Rect> accessibilityFrame(const AccessibilityValue& value) {
    if (const auto* frame = std::get_if<Rect>(&value)) {
        return *frame;
    }
    return std::nullopt;
}

std::optional<AccessibilityElementList> accessibilityElements(const AccessibilityValue& value) {
    if (const auto* elements = std::get_if<AccessibilityElementList>(&value)) {
        return *elements;
    }
    return std::nullopt;
}

} // namespace tessarin
