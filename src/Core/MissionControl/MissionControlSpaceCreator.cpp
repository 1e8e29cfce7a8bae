#include "Core/MissionControl/MissionControlSpaceCreator.h"

#include "Platform/Accessibility.h"
#include "Platform/AccessibilityNames.h"
#include "Platform/Host.h"
#include "Platform/MissionControl.h"
#include "Platform/MissionControlAccessibility.h"
#include "Platform/SystemServices.h"
#include "Support/Logger.h"
#include "Support/MainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <algorithm>
#include <utility>

namespace tessarin {

namespace {

constexpr const char* kDockBundleIdentifier = "com.apple.dock";

const Logger& logger() {
    static const Logger instance("MissionControl");
    return instance;
}

// How a step ended, before it is told as the operation's own result.
enum class Outcome {
    success,
    accessibilityPermissionMissing,
    dockUnavailable,
    spacesUnavailable,
    spaceNotFound,
    missionControlDidNotOpen,
    spacesBarNotFound,
    controlNotFound,
    closeActionUnavailable,
    actionFailed,
    verificationTimedOut,
};

MissionControlSpaceCreationResult creationResult(Outcome outcome) {
    using R = MissionControlSpaceCreationResult;
    switch (outcome) {
    case Outcome::success:
        return R::created;
    case Outcome::accessibilityPermissionMissing:
        return R::accessibilityPermissionMissing;
    case Outcome::dockUnavailable:
        return R::dockUnavailable;
    case Outcome::spacesUnavailable:
    case Outcome::spaceNotFound:
        return R::spacesUnavailable;
    case Outcome::missionControlDidNotOpen:
        return R::missionControlDidNotOpen;
    case Outcome::spacesBarNotFound:
        return R::spacesBarNotFound;
    case Outcome::controlNotFound:
        return R::addButtonNotFound;
    case Outcome::closeActionUnavailable:
    case Outcome::actionFailed:
        return R::actionFailed;
    case Outcome::verificationTimedOut:
        return R::verificationTimedOut;
    }
    return R::actionFailed;
}

MissionControlSpaceRemovalResult removalResult(Outcome outcome) {
    using R = MissionControlSpaceRemovalResult;
    switch (outcome) {
    case Outcome::success:
        return R::removed;
    case Outcome::accessibilityPermissionMissing:
        return R::accessibilityPermissionMissing;
    case Outcome::dockUnavailable:
        return R::dockUnavailable;
    case Outcome::spacesUnavailable:
        return R::spacesUnavailable;
    case Outcome::spaceNotFound:
        return R::spaceNotFound;
    case Outcome::missionControlDidNotOpen:
        return R::missionControlDidNotOpen;
    case Outcome::spacesBarNotFound:
        return R::spacesBarNotFound;
    case Outcome::controlNotFound:
        return R::desktopButtonNotFound;
    case Outcome::closeActionUnavailable:
        return R::closeActionUnavailable;
    case Outcome::actionFailed:
        return R::actionFailed;
    case Outcome::verificationTimedOut:
        return R::verificationTimedOut;
    }
    return R::actionFailed;
}

bool contains(const std::vector<SpaceID>& ids, SpaceID id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

const char* missionControlSpaceCreationResultName(MissionControlSpaceCreationResult result) {
    using R = MissionControlSpaceCreationResult;
    switch (result) {
    case R::created:
        return "created";
    case R::accessibilityPermissionMissing:
        return "accessibilityPermissionMissing";
    case R::dockUnavailable:
        return "dockUnavailable";
    case R::spacesUnavailable:
        return "spacesUnavailable";
    case R::missionControlDidNotOpen:
        return "missionControlDidNotOpen";
    case R::spacesBarNotFound:
        return "spacesBarNotFound";
    case R::addButtonNotFound:
        return "addButtonNotFound";
    case R::actionFailed:
        return "actionFailed";
    case R::verificationTimedOut:
        return "verificationTimedOut";
    }
    return "actionFailed";
}

const char* missionControlSpaceRemovalResultName(MissionControlSpaceRemovalResult result) {
    using R = MissionControlSpaceRemovalResult;
    switch (result) {
    case R::removed:
        return "removed";
    case R::accessibilityPermissionMissing:
        return "accessibilityPermissionMissing";
    case R::dockUnavailable:
        return "dockUnavailable";
    case R::spacesUnavailable:
        return "spacesUnavailable";
    case R::spaceNotFound:
        return "spaceNotFound";
    case R::missionControlDidNotOpen:
        return "missionControlDidNotOpen";
    case R::spacesBarNotFound:
        return "spacesBarNotFound";
    case R::desktopButtonNotFound:
        return "desktopButtonNotFound";
    case R::closeActionUnavailable:
        return "closeActionUnavailable";
    case R::actionFailed:
        return "actionFailed";
    case R::verificationTimedOut:
        return "verificationTimedOut";
    }
    return "actionFailed";
}

// --- Host-backed collaborators -----------------------------------------------------------

MissionControlSpaceCreator::Collaborators
MissionControlSpaceCreator::Collaborators::hostDefaults() {
    Collaborators c;
    c.isProcessTrusted = [] {
        const SystemCalls& calls = Host::current().calls();
        return calls.isProcessTrusted && calls.isProcessTrusted();
    };
    c.dockProcessIdentifier = []() -> std::optional<int32_t> {
        const auto dock =
            Host::current().system().runningApplicationWithBundleIdentifier(kDockBundleIdentifier);
        if (!dock) {
            return std::nullopt;
        }
        return dock->processIdentifier;
    };
    c.isMissionControlActive = [] { return tessarin_is_mission_control_active(); };
    c.openMissionControl = [] { Host::current().missionControl().open(); };
    c.closeMissionControl = [] { Host::current().missionControl().close(); };
    c.spaceIDs =
        [](const std::string& spaceDisplayIdentifier) -> std::optional<std::vector<SpaceID>> {
        const SystemCalls& calls = Host::current().calls();
        if (!calls.mainConnectionID || !calls.copyManagedDisplaySpaces) {
            return std::nullopt;
        }
        const auto lists = calls.copyManagedDisplaySpaces(calls.mainConnectionID());
        if (!lists) {
            return std::nullopt;
        }
        for (const ManagedDisplaySpaces& list : *lists) {
            if (list.displayIdentifier == spaceDisplayIdentifier) {
                std::vector<SpaceID> ids;
                for (const ManagedSpace& space : list.spaces) {
                    ids.push_back(space.id64);
                }
                return ids;
            }
        }
        return std::nullopt;
    };
    c.displayBounds = [](DisplayID displayID) {
        const SystemCalls& calls = Host::current().calls();
        return calls.displayBounds ? calls.displayBounds(displayID) : Rect{};
    };
    c.createApplicationElement = [](int32_t processIdentifier) {
        return Host::current().accessibility().createApplication(processIdentifier);
    };
    c.copyAttributeValue = [](const AccessibilityElement& element, std::string_view attribute) {
        return Host::current().accessibility().copyAttributeValue(element, attribute);
    };
    c.copyActionNames = [](const AccessibilityElement& element) {
        return Host::current().accessibility().copyActionNames(element);
    };
    c.performAction = [](const AccessibilityElement& element, std::string_view action) {
        return Host::current().accessibility().performAction(element, action);
    };
    c.queue = []() -> MainQueue& { return MainQueue::main(); };
    return c;
}

// --- One add or remove -------------------------------------------------------------------

class MissionControlSpaceCreator::Operation
    : public std::enable_shared_from_this<MissionControlSpaceCreator::Operation> {
public:
    enum class Kind { create, remove };

    Operation(std::shared_ptr<const Collaborators> collaborators, Timing timing, Kind kind,
              MissionControlSpaceCreationTarget target)
        : c_(std::move(collaborators)), timing_(timing), kind_(kind), target_(std::move(target)),
          handle_([] {}) {}

    CreationCompletion creationCompletion;
    RemovalCompletion removalCompletion;
    uint32_t requestedSpaceIndex = 0;
    SpaceID spaceID = 0;

    const WorkItem& handle() const { return handle_; }

    void begin() {
        logger().info(std::string(kind_ == Kind::create ? "create" : "remove") +
                      ".started display=" + target_.physicalDisplayIdentifier +
                      " spaceDisplay=" + target_.spaceDisplayIdentifier +
                      (kind_ == Kind::remove ? " spaceID=" + std::to_string(spaceID) : ""));
        if (!c_->isProcessTrusted()) {
            finish(Outcome::accessibilityPermissionMissing);
            return;
        }
        dockProcessIdentifier_ = c_->dockProcessIdentifier();
        if (!dockProcessIdentifier_) {
            finish(Outcome::dockUnavailable);
            return;
        }
        const auto before = c_->spaceIDs(target_.spaceDisplayIdentifier);
        if (!before) {
            finish(Outcome::spacesUnavailable);
            return;
        }
        spaceIDsBefore_ = *before;
        if (kind_ == Kind::remove && !contains(spaceIDsBefore_, spaceID)) {
            finish(Outcome::spaceNotFound);
            return;
        }
        if (!c_->isMissionControlActive()) {
            openedMissionControl_ = true;
            c_->openMissionControl();
        }
        waitForSpacesBar();
    }

private:
    struct Lookup {
        AccessibilityElement element;
        AccessibilityError error = AccessibilityError::success;
    };

    // --- Steps ----------------------------------------------------------------------------

    void waitForSpacesBar() {
        if (stopIfCancelled()) {
            return;
        }
        const Lookup bar = findSpacesBar();
        if (bar.error == AccessibilityError::apiDisabled) {
            finish(Outcome::accessibilityPermissionMissing);
            return;
        }
        if (!bar.element.isNull()) {
            kind_ == Kind::create ? pressAdd(bar.element) : pressClose(bar.element);
            return;
        }
        if (elapsed_ >= timing_.missionControlOpenTimeout) {
            finish(c_->isMissionControlActive() ? Outcome::spacesBarNotFound
                                                : Outcome::missionControlDidNotOpen);
            return;
        }
        afterPoll([](Operation& self) { self.waitForSpacesBar(); });
    }

    void pressAdd(const AccessibilityElement& bar) {
        const Lookup add =
            childWithIdentifier(bar, MissionControlAccessibilityIdentifier::addDesktopButton);
        if (add.element.isNull()) {
            finish(add.error == AccessibilityError::apiDisabled
                       ? Outcome::accessibilityPermissionMissing
                       : Outcome::controlNotFound);
            return;
        }
        press(add.element, AccessibilityAction::press);
    }

    void pressClose(const AccessibilityElement& bar) {
        // The bar lists the Spaces in system order; the live list says where the Space is now.
        const auto live = c_->spaceIDs(target_.spaceDisplayIdentifier);
        if (!live) {
            finish(Outcome::spacesUnavailable);
            return;
        }
        const auto position = std::find(live->begin(), live->end(), spaceID);
        if (position == live->end()) {
            finish(Outcome::spaceNotFound);
            return;
        }
        const auto index = static_cast<std::size_t>(position - live->begin());
        if (index != requestedSpaceIndex) {
            logger().notice("remove.moved spaceID=" + std::to_string(spaceID) +
                            " requestedIndex=" + std::to_string(requestedSpaceIndex) +
                            " index=" + std::to_string(index));
        }
        const Lookup list =
            childWithIdentifier(bar, MissionControlAccessibilityIdentifier::spacesList);
        const auto buttons = list.element.isNull() ? std::nullopt : children(list.element);
        if (list.error == AccessibilityError::apiDisabled) {
            finish(Outcome::accessibilityPermissionMissing);
            return;
        }
        // A bar that shows another number of Spaces than the window server is out of step:
        // pressing by position could close the wrong Desktop.
        if (!buttons || buttons->size() != live->size()) {
            finish(Outcome::controlNotFound);
            return;
        }
        const AccessibilityElement& button = (*buttons)[index];
        const auto actions = c_->copyActionNames(button);
        if (!actions.succeeded()) {
            finish(actions.error == AccessibilityError::apiDisabled
                       ? Outcome::accessibilityPermissionMissing
                       : Outcome::controlNotFound);
            return;
        }
        if (std::find(actions.value->begin(), actions.value->end(),
                      MissionControlAccessibilityAction::closeDesktop) == actions.value->end()) {
            finish(Outcome::closeActionUnavailable);
            return;
        }
        press(button, MissionControlAccessibilityAction::closeDesktop);
    }

    void press(const AccessibilityElement& element, std::string_view action) {
        const AccessibilityError error = c_->performAction(element, action);
        if (error != AccessibilityError::success) {
            logger().error(std::string(kind_ == Kind::create ? "create" : "remove") +
                           ".actionFailed error=" + accessibilityErrorName(error));
            finish(error == AccessibilityError::apiDisabled
                       ? Outcome::accessibilityPermissionMissing
                       : Outcome::actionFailed);
            return;
        }
        elapsed_ = 0;
        afterPoll([](Operation& self) { self.verify(); });
    }

    void verify() {
        if (stopIfCancelled()) {
            return;
        }
        if (const auto ids = c_->spaceIDs(target_.spaceDisplayIdentifier)) {
            if (kind_ == Kind::create) {
                for (const SpaceID id : *ids) {
                    if (!contains(spaceIDsBefore_, id)) {
                        createdSpaceID_ = id;
                        settle();
                        return;
                    }
                }
            } else if (!contains(*ids, spaceID)) {
                settle();
                return;
            }
        }
        if (elapsed_ >= timing_.verificationTimeout) {
            finish(Outcome::verificationTimedOut);
            return;
        }
        afterPoll([](Operation& self) { self.verify(); });
    }

    void settle() {
        after(timing_.animationSettlingDelay, [](Operation& self) {
            if (!self.stopIfCancelled()) {
                self.finish(Outcome::success);
            }
        });
    }

    void finish(Outcome outcome) {
        closeMissionControlIfOpened();
        handle_.cancel();
        if (kind_ == Kind::create) {
            const auto result = creationResult(outcome);
            logger().info(std::string("create.finished result=") +
                          missionControlSpaceCreationResultName(result) +
                          (createdSpaceID_ ? " spaceID=" + std::to_string(*createdSpaceID_) : ""));
            if (creationCompletion) {
                creationCompletion(result,
                                   outcome == Outcome::success ? createdSpaceID_ : std::nullopt);
            }
        } else {
            const auto result = removalResult(outcome);
            logger().info(std::string("remove.finished result=") +
                          missionControlSpaceRemovalResultName(result));
            if (removalCompletion) {
                removalCompletion(result);
            }
        }
    }

    // --- Helpers --------------------------------------------------------------------------

    bool stopIfCancelled() {
        if (!handle_.isCancelled()) {
            return false;
        }
        closeMissionControlIfOpened();
        logger().info(std::string(kind_ == Kind::create ? "create" : "remove") + ".cancelled");
        return true;
    }

    void closeMissionControlIfOpened() {
        if (openedMissionControl_) {
            openedMissionControl_ = false;
            c_->closeMissionControl();
        }
    }

    void afterPoll(void (*step)(Operation&)) {
        elapsed_ += timing_.pollInterval;
        after(timing_.pollInterval, step);
    }

    void after(uint64_t nanoseconds, void (*step)(Operation&)) {
        c_->queue().asyncAfter(Timing::seconds(nanoseconds),
                               [self = shared_from_this(), step] { step(*self); });
    }

    std::optional<AccessibilityElementList> children(const AccessibilityElement& element,
                                                     AccessibilityError* error = nullptr) const {
        const auto value = c_->copyAttributeValue(element, AccessibilityAttribute::children);
        if (!value.succeeded()) {
            if (error) {
                *error = value.error;
            }
            return std::nullopt;
        }
        return accessibilityElements(*value.value);
    }

    Lookup childWithIdentifier(const AccessibilityElement& parent, const char* identifier) const {
        Lookup lookup;
        const auto elements = children(parent, &lookup.error);
        for (const AccessibilityElement& element : elements.value_or(AccessibilityElementList{})) {
            const auto value = c_->copyAttributeValue(element, AccessibilityAttribute::identifier);
            if (value.succeeded() && accessibilityString(*value.value) == identifier) {
                lookup.element = element;
                return lookup;
            }
            if (value.error == AccessibilityError::apiDisabled) {
                lookup.error = value.error;
            }
        }
        return lookup;
    }

    // Mission Control's group, then the display group whose frame is the target display's
    // bounds, then its Spaces bar.
    Lookup findSpacesBar() const {
        const AccessibilityElement application =
            c_->createApplicationElement(*dockProcessIdentifier_);
        const Lookup missionControl =
            childWithIdentifier(application, MissionControlAccessibilityIdentifier::missionControl);
        if (missionControl.element.isNull()) {
            return missionControl;
        }
        Lookup result;
        const Rect bounds = c_->displayBounds(target_.displayID);
        const auto displays = children(missionControl.element, &result.error);
        for (const AccessibilityElement& display : displays.value_or(AccessibilityElementList{})) {
            const auto frame = c_->copyAttributeValue(display, AccessibilityAttribute::frame);
            if (frame.error == AccessibilityError::apiDisabled) {
                result.error = frame.error;
                return result;
            }
            if (frame.succeeded() && accessibilityFrame(*frame.value) == bounds) {
                return childWithIdentifier(display,
                                           MissionControlAccessibilityIdentifier::spacesBar);
            }
        }
        return result;
    }

    std::shared_ptr<const Collaborators> c_;
    Timing timing_;
    Kind kind_;
    MissionControlSpaceCreationTarget target_;
    WorkItem handle_;
    std::optional<int32_t> dockProcessIdentifier_;
    std::vector<SpaceID> spaceIDsBefore_;
    std::optional<SpaceID> createdSpaceID_;
    bool openedMissionControl_ = false;
    uint64_t elapsed_ = 0; // of the current wait, counted in poll intervals
};

// --- Creator -----------------------------------------------------------------------------

MissionControlSpaceCreator::MissionControlSpaceCreator()
    : MissionControlSpaceCreator(Collaborators::hostDefaults()) {}

MissionControlSpaceCreator::MissionControlSpaceCreator(Collaborators collaborators, Timing timing)
    : collaborators_(std::make_shared<const Collaborators>(std::move(collaborators))),
      timing_(timing) {}

MissionControlSpaceCreator::~MissionControlSpaceCreator() {
    for (const WorkItem& handle : handles_) {
        handle.cancel();
    }
}

WorkItem MissionControlSpaceCreator::createSpace(const MissionControlSpaceCreationTarget& target,
                                                 CreationCompletion completion) {
    auto operation =
        std::make_shared<Operation>(collaborators_, timing_, Operation::Kind::create, target);
    operation->creationCompletion = std::move(completion);
    return start(std::move(operation));
}

WorkItem MissionControlSpaceCreator::removeSpace(const MissionControlSpaceCreationTarget& target,
                                                 uint32_t spaceIndex, SpaceID spaceID,
                                                 RemovalCompletion completion) {
    auto operation =
        std::make_shared<Operation>(collaborators_, timing_, Operation::Kind::remove, target);
    operation->requestedSpaceIndex = spaceIndex;
    operation->spaceID = spaceID;
    operation->removalCompletion = std::move(completion);
    return start(std::move(operation));
}

WorkItem MissionControlSpaceCreator::start(std::shared_ptr<Operation> operation) {
    std::erase_if(handles_, [](const WorkItem& handle) { return handle.isCancelled(); });
    handles_.push_back(operation->handle());
    collaborators_->queue().async([operation] {
        if (!operation->handle().isCancelled()) {
            operation->begin();
        }
    });
    return operation->handle();
}

} // namespace tessarin
