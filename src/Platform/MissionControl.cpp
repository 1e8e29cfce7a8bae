#include "Platform/MissionControl.h"

#include "Platform/DisplayServer.h"
#include "Platform/MissionControlAccessibility.h"
#include "Platform/WindowServer.h"
#include "Support/MainQueue.h"
#include "Support/WorkItem.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tessarin {

class MissionControl::State final : public MissionControlTreeSource,
                                    public std::enable_shared_from_this<State> {
public:
    State(WindowServer& windowServer, DisplayServer& displays, MainQueue& queue)
        : windowServer(windowServer), displayServer(displays), queue(queue) {}

    // Hears every road that opens or closes it, and the Spaces changing under it.
    void observeWindowServer() {
        std::weak_ptr<State> weak = weak_from_this();
        const auto announce = [weak, &queue = queue] {
            queue.async([weak] {
                if (auto self = weak.lock()) {
                    self->notify();
                }
            });
        };
        missionControlToken = windowServer.addMissionControlObserver(announce);
        spacesToken = windowServer.addSpacesObserver([weak, announce] {
            if (auto self = weak.lock(); self && self->isOpen()) {
                announce();
            }
        });
    }

    ~State() override {
        windowServer.removeMissionControlObserver(missionControlToken);
        windowServer.removeSpacesObserver(spacesToken);
        pendingOpen.cancel();
        for (const auto& [index, item] : pendingEdits) {
            item.cancel();
        }
    }

    // --- MissionControlTreeSource -------------------------------------------------------
    bool isOpen() const override { return windowServer.isMissionControlOpen(); }

    std::vector<DisplayID> displays() const override { return displayServer.activeDisplayList(); }

    Rect displayBounds(DisplayID displayID) const override {
        return displayServer.bounds(displayID);
    }

    std::optional<std::vector<ManagedSpace>> spaces(DisplayID displayID) const override {
        const auto identifier = windowServer.spaceListIdentifier(displayID);
        if (!identifier) {
            return std::nullopt;
        }
        const auto list = windowServer.spaceList(*identifier);
        if (!list) {
            return std::nullopt;
        }
        return list->spaces;
    }

    bool requestAddDesktop(DisplayID displayID) override {
        const auto identifier = windowServer.spaceListIdentifier(displayID);
        if (!identifier) {
            return false;
        }
        scheduleEdit(Edit{Edit::Kind::addDesktop, *identifier, 0, false});
        return true;
    }

    bool requestRemoveDesktop(DisplayID displayID, SpaceID spaceID) override {
        const auto identifier = windowServer.spaceListIdentifier(displayID);
        if (!identifier) {
            return false;
        }
        scheduleEdit(Edit{Edit::Kind::removeDesktop, *identifier, spaceID, false});
        return true;
    }

    // Clicking a Desktop in the bar goes there and leaves Mission Control.
    bool requestSwitch(DisplayID displayID, SpaceID spaceID) override {
        return switchTo(displayID, spaceID);
    }

    // --- What it shows ------------------------------------------------------------------
    std::vector<DisplayID> shownDisplays() const {
        return isOpen() ? displayServer.activeDisplayList() : std::vector<DisplayID>{};
    }

    std::optional<std::vector<ShownSpace>> shownSpaces(DisplayID displayID) const {
        const auto shown = shownDisplays();
        if (std::find(shown.begin(), shown.end(), displayID) == shown.end()) {
            return std::nullopt;
        }
        const auto identifier = windowServer.spaceListIdentifier(displayID);
        const auto list = identifier ? windowServer.spaceList(*identifier) : std::nullopt;
        if (!list) {
            return std::nullopt;
        }
        std::vector<ShownSpace> result;
        for (const ManagedSpace& space : list->spaces) {
            result.push_back({space.id64, missionControlSpaceName(list->spaces, space.id64),
                              space.id64 == list->currentSpace});
        }
        return result;
    }

    bool shows(DisplayID displayID, SpaceID spaceID) const {
        const auto spaces = shownSpaces(displayID);
        return spaces && std::any_of(spaces->begin(), spaces->end(),
                                     [&](const ShownSpace& s) { return s.spaceID == spaceID; });
    }

    bool switchTo(DisplayID displayID, SpaceID spaceID) {
        if (!shows(displayID, spaceID)) {
            return false;
        }
        const auto identifier = windowServer.spaceListIdentifier(displayID);
        closeNow();
        if (switcher) {
            switcher(*identifier, spaceID);
        } else {
            windowServer.setCurrentSpace(*identifier, spaceID);
        }
        return true;
    }

    void notify() {
        const auto current = observers;
        for (const auto& [token, observer] : current) {
            observer();
        }
    }

    // --- Showing ------------------------------------------------------------------------
    void requestOpen() {
        ++openRequests;
        if (ignoresOpenRequests || isOpen() ||
            (pendingOpen.isValid() && !pendingOpen.isCancelled())) {
            return;
        }
        std::weak_ptr<State> weak = weak_from_this();
        pendingOpen = queue.asyncAfter(openingDelay, [weak] {
            if (auto self = weak.lock()) {
                self->pendingOpen = WorkItem();
                self->windowServer.setMissionControlOpen(true);
            }
        });
    }

    void requestClose() {
        ++closeRequests;
        closeNow();
    }

    void closeNow() {
        pendingOpen.cancel();
        pendingOpen = WorkItem();
        windowServer.setMissionControlOpen(false);
    }

    // --- Editing ------------------------------------------------------------------------
    void scheduleEdit(Edit edit) {
        const std::size_t index = editLog.size();
        editLog.push_back(std::move(edit));
        std::weak_ptr<State> weak = weak_from_this();
        WorkItem item = queue.asyncAfter(editSettleDelay, [weak, index] {
            if (auto self = weak.lock()) {
                self->land(index);
            }
        });
        pendingEdits.emplace(index, item);
    }

    void land(std::size_t index) {
        pendingEdits.erase(index);
        if (ignoresEdits) {
            return;
        }
        Edit& edit = editLog[index];
        if (edit.kind == Edit::Kind::addDesktop) {
            if (const auto added = windowServer.addSpace(edit.spaceListIdentifier)) {
                edit.spaceID = *added;
                edit.landed = true;
            }
        } else {
            edit.landed = windowServer.removeSpace(edit.spaceID);
        }
    }

    WindowServer& windowServer;
    DisplayServer& displayServer;
    MainQueue& queue;
    TimeInterval openingDelay = kDefaultOpeningDelay;
    TimeInterval editSettleDelay = kDefaultEditSettleDelay;
    bool ignoresOpenRequests = false;
    bool ignoresEdits = false;
    std::size_t openRequests = 0;
    std::size_t closeRequests = 0;
    WorkItem pendingOpen;
    SpacePainter painter;
    SpaceSwitcher switcher;
    std::map<ObserverToken, std::function<void()>> observers;
    ObserverToken nextObserverToken = 1;
    WindowServer::MissionControlObserverToken missionControlToken = 0;
    WindowServer::SpacesObserverToken spacesToken = 0;
    std::map<std::size_t, WorkItem> pendingEdits; // by position in the edit log
    std::vector<Edit> editLog;
};

MissionControl::MissionControl(WindowServer& windowServer, DisplayServer& displays,
                               MainQueue& queue)
    : state_(std::make_shared<State>(windowServer, displays, queue)) {
    state_->observeWindowServer();
}

MissionControl::~MissionControl() = default;

bool MissionControl::isOpen() const {
    return state_->isOpen();
}

void MissionControl::open() {
    state_->requestOpen();
}

void MissionControl::close() {
    state_->requestClose();
}

TimeInterval MissionControl::openingDelay() const {
    return state_->openingDelay;
}

void MissionControl::setOpeningDelay(TimeInterval seconds) {
    state_->openingDelay = std::max(0.0, seconds);
}

void MissionControl::setIgnoresOpenRequests(bool ignores) {
    state_->ignoresOpenRequests = ignores;
}

std::size_t MissionControl::openRequestCount() const {
    return state_->openRequests;
}

std::size_t MissionControl::closeRequestCount() const {
    return state_->closeRequests;
}

std::vector<DisplayID> MissionControl::shownDisplays() const {
    return state_->shownDisplays();
}

bool MissionControl::isShownOn(DisplayID displayID) const {
    const auto shown = state_->shownDisplays();
    return std::find(shown.begin(), shown.end(), displayID) != shown.end();
}

std::optional<std::vector<MissionControl::ShownSpace>>
MissionControl::shownSpaces(DisplayID displayID) const {
    return state_->shownSpaces(displayID);
}

std::optional<QImage> MissionControl::spacePicture(DisplayID displayID, SpaceID spaceID,
                                                   int pixelWidth, int pixelHeight) const {
    if (!state_->painter || !state_->shows(displayID, spaceID)) {
        return std::nullopt;
    }
    return state_->painter(displayID, spaceID, pixelWidth, pixelHeight);
}

void MissionControl::setSpacePainter(SpacePainter painter) {
    state_->painter = std::move(painter);
}

bool MissionControl::switchToSpace(DisplayID displayID, SpaceID spaceID) {
    return state_->switchTo(displayID, spaceID);
}

void MissionControl::setSpaceSwitcher(SpaceSwitcher switcher) {
    state_->switcher = std::move(switcher);
}

MissionControl::ObserverToken MissionControl::addObserver(std::function<void()> observer) {
    const ObserverToken token = state_->nextObserverToken++;
    state_->observers.emplace(token, std::move(observer));
    return token;
}

void MissionControl::removeObserver(ObserverToken token) {
    state_->observers.erase(token);
}

TimeInterval MissionControl::editSettleDelay() const {
    return state_->editSettleDelay;
}

void MissionControl::setEditSettleDelay(TimeInterval seconds) {
    state_->editSettleDelay = std::max(0.0, seconds);
}

void MissionControl::setIgnoresEdits(bool ignores) {
    state_->ignoresEdits = ignores;
}

std::vector<MissionControl::Edit> MissionControl::edits() const {
    return state_->editLog;
}

std::size_t MissionControl::pendingEditCount() const {
    return state_->pendingEdits.size();
}

std::shared_ptr<const AccessibilityNode>
MissionControl::applicationTree(int32_t processIdentifier) const {
    if (processIdentifier != state_->windowServer.dockProcessIdentifier()) {
        return nullptr;
    }
    return makeDockAccessibilityTree(state_);
}

} // namespace tessarin
