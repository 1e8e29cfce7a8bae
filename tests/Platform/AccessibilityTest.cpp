#include "Platform/Accessibility.h"

#include "Platform/AccessibilityNames.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tessarin {
namespace {

// A one-element tree whose title and liveness a test controls.
class FakeApplicationNode final : public AccessibilityNode {
public:
    explicit FakeApplicationNode(std::string title) : title_(std::move(title)) {}

    std::string identity() const override { return "fake:" + title_; }
    std::vector<std::string> attributeNames() const override {
        return {AccessibilityAttribute::role, AccessibilityAttribute::title};
    }
    AccessibilityResult<AccessibilityValue>
    attributeValue(std::string_view attribute) const override {
        if (attribute == AccessibilityAttribute::title) {
            return AccessibilityResult<AccessibilityValue>::success(title_);
        }
        if (attribute == AccessibilityAttribute::role) {
            return AccessibilityResult<AccessibilityValue>::success(
                std::string(AccessibilityRole::application));
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
    EXPECT_EQ(application, accessibility.createApplication(7));
    EXPECT_FALSE(application == accessibility.createApplication(8));

    accessibility.removeApplicationTreeProvider(token);
    EXPECT_EQ(accessibility.copyAttributeValue(application, AccessibilityAttribute::title).error,
              AccessibilityError::cannotComplete);
    EXPECT_EQ(accessibility.performAction(application, AccessibilityAction::press),
              AccessibilityError::cannotComplete);
}

TEST_F(AccessibilityTest, errorsComeBackAsValues) {
    accessibility.addApplicationTreeProvider(
        [](int32_t) { return std::make_shared<FakeApplicationNode>("App"); });
    const AccessibilityElement application = accessibility.createApplication(1);
    struct Case {
        const char* name;
        AccessibilityError actual;
        AccessibilityError expected;
    };
    const std::vector<Case> cases = {
        {"unknown attribute", accessibility.copyAttributeValue(application, "AXNothing").error,
         AccessibilityError::attributeUnsupported},
        {"empty attribute name", accessibility.copyAttributeValue(application, "").error,
         AccessibilityError::illegalArgument},
        {"null element", accessibility.copyActionNames(AccessibilityElement()).error,
         AccessibilityError::illegalArgument},
        {"action the element lacks",
         accessibility.performAction(application, AccessibilityAction::press),
         AccessibilityError::actionUnsupported},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual, c.expected);
        EXPECT_STRNE(accessibilityErrorName(c.actual), "");
    }
    const auto names = accessibility.copyAttributeNames(application);
    ASSERT_TRUE(names.succeeded());
    EXPECT_EQ(names.value->size(), 2u);
}

TEST_F(AccessibilityTest, anUntrustedProcessIsRefusedEverything) {
    accessibility.addApplicationTreeProvider(
        [](int32_t) { return std::make_shared<FakeApplicationNode>("App"); });
    const AccessibilityElement application = accessibility.createApplication(1);
    trusted = false;
    EXPECT_FALSE(accessibility.isProcessTrusted());
    EXPECT_EQ(accessibility.copyAttributeValue(application, AccessibilityAttribute::title).error,
              AccessibilityError::apiDisabled);
    EXPECT_EQ(accessibility.copyAttributeNames(application).error, AccessibilityError::apiDisabled);
    EXPECT_EQ(accessibility.copyActionNames(application).error, AccessibilityError::apiDisabled);
    EXPECT_EQ(accessibility.performAction(application, AccessibilityAction::press),
              AccessibilityError::apiDisabled);
    trusted = true;
    EXPECT_EQ(title(application), "App");
}

TEST_F(AccessibilityTest, typedReadsRefuseAValueOfAnotherType) {
    EXPECT_EQ(accessibilityString(AccessibilityValue{std::string("x")}), "x");
    EXPECT_EQ(accessibilityString(AccessibilityValue{true}), std::nullopt);
    EXPECT_EQ(accessibilityFrame(AccessibilityValue{Rect(1, 2, 3, 4)}), Rect(1, 2, 3, 4));
    EXPECT_EQ(accessibilityFrame(AccessibilityValue{int64_t{3}}), std::nullopt);
    EXPECT_EQ(accessibilityElements(AccessibilityValue{AccessibilityElementList{}}),
              AccessibilityElementList{});
    EXPECT_EQ(accessibilityElements(AccessibilityValue{std::string("x")}), std::nullopt);
}

} // namespace
} // namespace tessarin
