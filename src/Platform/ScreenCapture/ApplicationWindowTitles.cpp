#include "Platform/ScreenCapture/ApplicationWindowTitles.h"

#include "Platform/AccessibilityNames.h"

#include <string_view>

namespace tessarin {

namespace {

using Result = AccessibilityResult<AccessibilityValue>;

class WindowNode final : public AccessibilityNode {
public:
    WindowNode(std::string identity, std::string title)
        : identity_(std::move(identity)), title_(std::move(title)) {}
    std::string identity() const override { return identity_; }
    std::vector<std::string> attributeNames() const override {
        return {AccessibilityAttribute::role, AccessibilityAttribute::title};
    }
    Result attributeValue(std::string_view attribute) const override {
        if (attribute == AccessibilityAttribute::role) {
            return Result::success(std::string("AXWindow"));
        }
        if (attribute == AccessibilityAttribute::title) {
            return Result::success(title_);
        }
        return Result::failure(AccessibilityError::attributeUnsupported);
    }

private:
    std::string identity_;
    std::string title_;
};

class ApplicationNode final : public AccessibilityNode {
public:
    ApplicationNode(int32_t pid, ApplicationWindowTitlesSpec titles)
        : pid_(pid), titles_(std::move(titles)) {}
    std::string identity() const override { return "application." + std::to_string(pid_); }
    std::vector<std::string> attributeNames() const override {
        return {AccessibilityAttribute::role, AccessibilityWindowAttribute::focusedWindow,
                AccessibilityWindowAttribute::mainWindow};
    }
    Result attributeValue(std::string_view attribute) const override {
        if (attribute == AccessibilityAttribute::role) {
            return Result::success(std::string(AccessibilityRole::application));
        }
        if (attribute == AccessibilityWindowAttribute::focusedWindow) {
            return window("focused", titles_.focused);
        }
        if (attribute == AccessibilityWindowAttribute::mainWindow) {
            return window("main", titles_.main);
        }
        return Result::failure(AccessibilityError::attributeUnsupported);
    }

private:
    Result window(const char* kind, const std::optional<std::string>& title) const {
        if (!title) {
            return Result::failure(AccessibilityError::noValue);
        }
        return Result::success(
            AccessibilityElement(std::make_shared<WindowNode>(identity() + "." + kind, *title)));
    }

    int32_t pid_;
    ApplicationWindowTitlesSpec titles_;
};

} // namespace

ApplicationWindowTitles::ApplicationWindowTitles(
    std::map<int32_t, ApplicationWindowTitlesSpec> titles)
    : titles_(std::move(titles)) {}

void ApplicationWindowTitles::setTitles(int32_t processIdentifier,
                                        ApplicationWindowTitlesSpec titles) {
    titles_[processIdentifier] = std::move(titles);
}

void ApplicationWindowTitles::removeTitles(int32_t processIdentifier) {
    titles_.erase(processIdentifier);
}

std::shared_ptr<const AccessibilityNode>
ApplicationWindowTitles::applicationTree(int32_t processIdentifier) const {
    const auto it = titles_.find(processIdentifier);
    if (it == titles_.end()) {
        return nullptr;
    }
    return std::make_shared<ApplicationNode>(processIdentifier, it->second);
}

} // namespace tessarin
