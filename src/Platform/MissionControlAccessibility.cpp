#include "Platform/MissionControlAccessibility.h"

#include "Platform/AccessibilityNames.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace tessarin {

namespace {

using ValueResult = AccessibilityResult<AccessibilityValue>;
using NamesResult = AccessibilityResult<std::vector<std::string>>;
using SourceRef = std::weak_ptr<MissionControlTreeSource>;

// A node answers from a fixed table of attributes, computed on each read from the live source.
// It is valid only while its element still exists; otherwise every call says so.
class TreeNode : public AccessibilityNode {
public:
    explicit TreeNode(SourceRef source) : source_(std::move(source)) {}

    std::vector<std::string> attributeNames() const override {
        std::vector<std::string> names;
        for (const auto& [name, unused] : attributes()) {
            names.push_back(name);
        }
        return names;
    }

    AccessibilityResult<AccessibilityValue>
    attributeValue(std::string_view attribute) const override {
        const auto source = source_.lock();
        if (!source || !exists(*source)) {
            return ValueResult::failure(AccessibilityError::invalidElement);
        }
        const auto table = attributes();
        const auto found = table.find(std::string(attribute));
        if (found == table.end()) {
            return ValueResult::failure(AccessibilityError::attributeUnsupported);
        }
        return ValueResult::success(found->second(*source));
    }

    AccessibilityResult<std::vector<std::string>> actionNames() const override {
        const auto source = source_.lock();
        if (!source || !exists(*source)) {
            return NamesResult::failure(AccessibilityError::invalidElement);
        }
        return NamesResult::success(actions(*source));
    }

    AccessibilityError performAction(std::string_view action) const override {
        const auto source = source_.lock();
        if (!source || !exists(*source)) {
            return AccessibilityError::invalidElement;
        }
        const auto offered = actions(*source);
        if (std::find(offered.begin(), offered.end(), action) == offered.end()) {
            return AccessibilityError::actionUnsupported;
        }
        return perform(*source, action) ? AccessibilityError::success
                                        : AccessibilityError::cannotComplete;
    }

protected:
    using Attribute = std::function<AccessibilityValue(MissionControlTreeSource&)>;
    using AttributeTable = std::map<std::string, Attribute>;

    virtual bool exists(MissionControlTreeSource& source) const = 0;
    virtual AttributeTable attributes() const = 0;
    virtual std::vector<std::string> actions(MissionControlTreeSource&) const { return {}; }
    virtual bool perform(MissionControlTreeSource&, std::string_view) const { return false; }

    const SourceRef& source() const { return source_; }

    template <typename Node, typename... Args> AccessibilityElement child(Args&&... args) const {
        return AccessibilityElement(std::make_shared<Node>(source_, std::forward<Args>(args)...));
    }

    static Attribute constant(AccessibilityValue value) {
        return [value](MissionControlTreeSource&) { return value; };
    }

private:
    SourceRef source_;
};

bool displayShown(MissionControlTreeSource& source, DisplayID displayID) {
    if (!source.isOpen()) {
        return false;
    }
    const auto displays = source.displays();
    return std::find(displays.begin(), displays.end(), displayID) != displays.end() &&
           source.spaces(displayID).has_value();
}

std::string displayIdentity(DisplayID displayID) {
    return "dock/missionControl/display:" + std::to_string(displayID);
}

// A node of one display's part of the bar: it exists while Mission Control shows that display.
class DisplayNode : public TreeNode {
public:
    DisplayNode(SourceRef source, DisplayID displayID)
        : TreeNode(std::move(source)), displayID_(displayID) {}

protected:
    bool exists(MissionControlTreeSource& source) const override {
        return displayShown(source, displayID_);
    }
    DisplayID displayID() const { return displayID_; }

private:
    DisplayID displayID_;
};

class DesktopButtonNode final : public DisplayNode {
public:
    DesktopButtonNode(SourceRef source, DisplayID displayID, SpaceID spaceID)
        : DisplayNode(std::move(source), displayID), spaceID_(spaceID) {}

    std::string identity() const override {
        return displayIdentity(displayID()) + "/space:" + std::to_string(spaceID_);
    }

protected:
    bool exists(MissionControlTreeSource& source) const override {
        return DisplayNode::exists(source) && position(source).has_value();
    }

    AttributeTable attributes() const override {
        return {{AccessibilityAttribute::role, constant(std::string(AccessibilityRole::button))},
                {AccessibilityAttribute::title,
                 [this](MissionControlTreeSource& source) -> AccessibilityValue {
                     return title(source);
                 }}};
    }

    std::vector<std::string> actions(MissionControlTreeSource& source) const override {
        std::vector<std::string> names{AccessibilityAction::press};
        if (isRemovable(source)) {
            names.emplace_back(MissionControlAccessibilityAction::closeDesktop);
        }
        return names;
    }

    bool perform(MissionControlTreeSource& source, std::string_view action) const override {
        if (action == AccessibilityAction::press) {
            return source.requestSwitch(displayID(), spaceID_);
        }
        return source.requestRemoveDesktop(displayID(), spaceID_);
    }

private:
    std::optional<std::size_t> position(MissionControlTreeSource& source) const {
        const auto spaces = source.spaces(displayID()).value_or(std::vector<ManagedSpace>{});
        const auto found = std::find_if(spaces.begin(), spaces.end(),
                                        [&](const ManagedSpace& s) { return s.id64 == spaceID_; });
        if (found == spaces.end()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(found - spaces.begin());
    }

    std::string title(MissionControlTreeSource& source) const {
        return missionControlSpaceName(
            source.spaces(displayID()).value_or(std::vector<ManagedSpace>{}), spaceID_);
    }

    // The last Desktop of a display cannot be closed, and a full-screen Space is left by
    // leaving full screen, not from the bar.
    bool isRemovable(MissionControlTreeSource& source) const {
        const auto spaces = source.spaces(displayID()).value_or(std::vector<ManagedSpace>{});
        const auto desktops =
            std::count_if(spaces.begin(), spaces.end(),
                          [](const ManagedSpace& s) { return s.type == kSpaceTypeUserDesktop; });
        const auto found = std::find_if(spaces.begin(), spaces.end(),
                                        [&](const ManagedSpace& s) { return s.id64 == spaceID_; });
        return found != spaces.end() && found->type == kSpaceTypeUserDesktop && desktops > 1;
    }

    SpaceID spaceID_;
};

class AddDesktopButtonNode final : public DisplayNode {
public:
    using DisplayNode::DisplayNode;

    std::string identity() const override { return displayIdentity(displayID()) + "/add"; }

protected:
    AttributeTable attributes() const override {
        return {{AccessibilityAttribute::role, constant(std::string(AccessibilityRole::button))},
                {AccessibilityAttribute::identifier,
                 constant(std::string(MissionControlAccessibilityIdentifier::addDesktopButton))},
                {AccessibilityAttribute::description, constant(std::string("Add Desktop"))}};
    }
    std::vector<std::string> actions(MissionControlTreeSource&) const override {
        return {AccessibilityAction::press};
    }
    bool perform(MissionControlTreeSource& source, std::string_view) const override {
        return source.requestAddDesktop(displayID());
    }
};

class SpacesListNode final : public DisplayNode {
public:
    using DisplayNode::DisplayNode;

    std::string identity() const override { return displayIdentity(displayID()) + "/list"; }

protected:
    AttributeTable attributes() const override {
        return {{AccessibilityAttribute::role, constant(std::string(AccessibilityRole::list))},
                {AccessibilityAttribute::identifier,
                 constant(std::string(MissionControlAccessibilityIdentifier::spacesList))},
                {AccessibilityAttribute::children,
                 [this](MissionControlTreeSource& source) -> AccessibilityValue {
                     AccessibilityElementList buttons;
                     for (const ManagedSpace& space :
                          source.spaces(displayID()).value_or(std::vector<ManagedSpace>{})) {
                         buttons.push_back(child<DesktopButtonNode>(displayID(), space.id64));
                     }
                     return buttons;
                 }}};
    }
};

class SpacesBarNode final : public DisplayNode {
public:
    using DisplayNode::DisplayNode;

    std::string identity() const override { return displayIdentity(displayID()) + "/bar"; }

protected:
    AttributeTable attributes() const override {
        return {{AccessibilityAttribute::role, constant(std::string(AccessibilityRole::group))},
                {AccessibilityAttribute::identifier,
                 constant(std::string(MissionControlAccessibilityIdentifier::spacesBar))},
                {AccessibilityAttribute::children,
                 [this](MissionControlTreeSource&) -> AccessibilityValue {
                     return AccessibilityElementList{child<SpacesListNode>(displayID()),
                                                     child<AddDesktopButtonNode>(displayID())};
                 }}};
    }
};

class DisplayGroupNode final : public DisplayNode {
public:
    using DisplayNode::DisplayNode;

    std::string identity() const override { return displayIdentity(displayID()); }

protected:
    AttributeTable attributes() const override {
        return {{AccessibilityAttribute::role, constant(std::string(AccessibilityRole::group))},
                {AccessibilityAttribute::identifier,
                 constant(std::string(MissionControlAccessibilityIdentifier::display))},
                {AccessibilityAttribute::frame,
                 [this](MissionControlTreeSource& source) -> AccessibilityValue {
                     return source.displayBounds(displayID());
                 }},
                {AccessibilityAttribute::children,
                 [this](MissionControlTreeSource&) -> AccessibilityValue {
                     return AccessibilityElementList{child<SpacesBarNode>(displayID())};
                 }}};
    }
};

class MissionControlGroupNode final : public TreeNode {
public:
    using TreeNode::TreeNode;

    std::string identity() const override { return "dock/missionControl"; }

protected:
    bool exists(MissionControlTreeSource& source) const override { return source.isOpen(); }
    AttributeTable attributes() const override {
        return {{AccessibilityAttribute::role, constant(std::string(AccessibilityRole::group))},
                {AccessibilityAttribute::identifier,
                 constant(std::string(MissionControlAccessibilityIdentifier::missionControl))},
                {AccessibilityAttribute::children,
                 [this](MissionControlTreeSource& source) -> AccessibilityValue {
                     AccessibilityElementList groups;
                     for (const DisplayID displayID : source.displays()) {
                         if (source.spaces(displayID)) {
                             groups.push_back(child<DisplayGroupNode>(displayID));
                         }
                     }
                     return groups;
                 }}};
    }
};

class DockApplicationNode final : public TreeNode {
public:
    using TreeNode::TreeNode;

    std::string identity() const override { return "dock"; }

protected:
    bool exists(MissionControlTreeSource&) const override { return true; }
    AttributeTable attributes() const override {
        return {
            {AccessibilityAttribute::role, constant(std::string(AccessibilityRole::application))},
            {AccessibilityAttribute::title, constant(std::string("Dock"))},
            {AccessibilityAttribute::children,
             [this](MissionControlTreeSource& source) -> AccessibilityValue {
                 if (!source.isOpen()) {
                     return AccessibilityElementList{};
                 }
                 return AccessibilityElementList{child<MissionControlGroupNode>()};
             }}};
    }
};

} // namespace

std::shared_ptr<const AccessibilityNode>
makeDockAccessibilityTree(std::weak_ptr<MissionControlTreeSource> source) {
    return std::make_shared<DockApplicationNode>(std::move(source));
}

std::string missionControlSpaceName(const std::vector<ManagedSpace>& spaces, SpaceID spaceID) {
    int desktopNumber = 0;
    for (const ManagedSpace& space : spaces) {
        if (space.type == kSpaceTypeUserDesktop) {
            ++desktopNumber;
        }
        if (space.id64 == spaceID) {
            return space.type == kSpaceTypeUserDesktop ? "Desktop " + std::to_string(desktopNumber)
                                                       : std::string("Full Screen");
        }
    }
    return {};
}

} // namespace tessarin
