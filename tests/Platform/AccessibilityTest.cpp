#include "Platform/Accessibility.h"

#include "Platform/AccessibilityNames.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tessarin {
namespace {

// A one-element tree whose title a test controls.
class FakeApplicationNode final : public AccessibilityNode {
public:
    explicit FakeApplicationNode(std::string title) : title_(std::move(title)) {}

    std::string identity() const override { return "fake:" + title_; }
    std::vector<std::string> attributeNames() const override {
        return {AccessibilityAttribute::title};
    }
    AccessibilityResult<AccessibilityValue>
    attributeValue(std::string_view attribute) const override {
        if (attribute == AccessibilityAttribute::title) {
            return AccessibilityResult<AccessibilityValue>::success(title_);
        }
        return AccessibilityResult<AccessibilityValue>::failure(
            AccessibilityError::attributeUnsupported);
    }

private:
    std::string title_;
};

class AccessibilityTest : public ::testing::Test {
protected:
    std::string title(const AccessibilityElement& element) {
        const auto value = accessibility.copyAttributeValue(element, AccessibilityAttribute::title);
        return value.succeeded() ? accessibilityString(*value.value).value_or("") : "";
    }

    bool trusted = true;
    Accessibility accessibility{[this] { return trusted; }};
};

TEST_F(AccessibilityTest, anApplicationElementAsksWhicheverTreeTheProcessPublishesNow) {
    std::string published = "First";
    const auto token = accessibility.addApplicationTreeProvider(
        [&](int32_t pid) -> std::shared_ptr<const AccessibilityNode> {
            return pid == 7 ? std::make_shared<FakeApplicationNode>(published) : nullptr;
        });
    const AccessibilityElement application = accessibility.createApplication(7);
    EXPECT_EQ(title(application), "First");
    published = "Second";
    EXPECT_EQ(title(application), "Second");
    EXPECT_EQ(accessibility.copyAttributeValue(application, "").error,
              AccessibilityError::illegalArgument);
    EXPECT_EQ(accessibility.performAction(application, AccessibilityAction::press),
              AccessibilityError::actionUnsupported);

    trusted = false;
    EXPECT_EQ(accessibility.copyAttributeNames(application).error, AccessibilityError::apiDisabled);
    EXPECT_EQ(accessibility.performAction(application, AccessibilityAction::press),
              AccessibilityError::apiDisabled);
    trusted = true;
    accessibility.removeApplicationTreeProvider(token);
    EXPECT_EQ(accessibility.copyAttributeValue(application, AccessibilityAttribute::title).error,
              AccessibilityError::cannotComplete);
}

} // namespace
} // namespace tessarin
