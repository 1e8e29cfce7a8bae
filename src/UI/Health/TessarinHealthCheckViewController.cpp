#include "UI/Health/TessarinHealthCheckViewController.h"

#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Model/Health/TessarinHealthActionHandler.h"
#include "Model/Health/TessarinHealthStatusProvider.h"
#include "Model/Settings/GridModeStore.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "UI/Health/TessarinHealthCheckPanel.h"
#include "UI/Health/TessarinHealthCheckViewIdentifier.h"
#include "UI/Health/TessarinPrivacyPermissionGuidePresenter.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "Workspaces/WorkspaceShortcutStore.h"

namespace tessarin {

namespace {

bool isPrivacyCheck(TessarinHealthCheckIdentifier identifier) {
    return identifier == TessarinHealthCheckIdentifier::accessibility ||
           identifier == TessarinHealthCheckIdentifier::screenRecording;
}

TessarinPrivacyPermission permissionOf(TessarinHealthCheckIdentifier identifier) {
    return identifier == TessarinHealthCheckIdentifier::accessibility
               ? TessarinPrivacyPermission::accessibility
               : TessarinPrivacyPermission::screenRecording;
}

std::function<void()> repeatingMainQueueTimer(std::function<void()> tick) {
    WorkItem timer = MainQueue::main().scheduleRepeating(
        TessarinHealthCheckViewController::recheckInterval,
        [tick = std::move(tick)] { MainQueue::main().async(tick); });
    return [timer] { timer.cancel(); };
}

// Fills every empty member with the host's own service.
TessarinHealthCheckPageDependencies withDefaults(TessarinHealthCheckPageDependencies d) {
    Host& host = Host::current();
    if (!d.defaults) {
        d.defaults = &host.defaults();
    }
    if (!d.provider) {
        auto provider = std::make_shared<TessarinHealthStatusProvider>();
        provider->permissionHistoryDefaults = &host.defaults();
        d.provider = std::move(provider);
    }
    if (!d.actionHandler) {
        d.actionHandler = std::make_shared<TessarinHealthActionHandler>(host.defaults());
    }
    if (!d.openSettings) {
        d.openSettings = [] {};
    }
    if (!d.practiceStateProvider) {
        d.practiceStateProvider = [] { return TessarinSpacePracticeState{true, false}; };
    }
    if (!d.hotkeyStore) {
        d.hotkeyStore = &HotkeyStore::shared();
    }
    if (!d.gridModeStore) {
        d.gridModeStore = &GridModeStore::shared();
    }
    if (!d.workspaceShortcutStore) {
        d.workspaceShortcutStore = &WorkspaceShortcutStore::shared();
    }
    if (!d.systemShortcutConflictDetector) {
        d.systemShortcutConflictDetector =
            std::make_shared<MissionControlShortcutConflictDetector>();
    }
    if (!d.systemShortcutConflictResolutionProvider) {
        d.systemShortcutConflictResolutionProvider =
            KeyboardShortcutAlerts::showSystemShortcutConflictWarning;
    }
    if (!d.openURL) {
        d.openURL = [](const std::string& address) { Host::current().system().openURL(address); };
    }
    if (!d.recheckTimerFactory) {
        d.recheckTimerFactory = repeatingMainQueueTimer;
    }
    if (!d.permissionGuidePresenter) {
        d.permissionGuidePresenter = &TessarinPrivacyPermissionGuidePresenter::shared();
    }
    return d;
}

} // namespace

TessarinHealthCheckViewController::TessarinHealthCheckViewController(
    TessarinHealthCheckPageDependencies dependencies)
    : dependencies_(withDefaults(std::move(dependencies))),
      self_(std::make_shared<TessarinHealthCheckViewController*>(this)),
      appearanceObserver_([this] { rebuildForAppearance(); }) {}

TessarinHealthCheckViewController::~TessarinHealthCheckViewController() {
    stopAutomaticRechecks();
}

void TessarinHealthCheckViewController::viewDidLoad() {
    mode_ = TessarinHealthCheckPresentationMode::setup;
    skipped_.clear();
    observeHotkeyDelivery();
    refreshFromNewSnapshot();
}

void TessarinHealthCheckViewController::refresh(TessarinHealthCheckPresentationMode mode) {
    view();
    mode_ = mode;
    if (mode == TessarinHealthCheckPresentationMode::setup) {
        // Every setup presentation starts over, offering skipped recommendations again.
        skipped_.clear();
        refreshFromNewSnapshot();
        return;
    }
    (void)dependencies_.provider->snapshot();
    refreshAllSet({});
}

bool TessarinHealthCheckViewController::isSpacePracticeSatisfied() const {
    return TessarinSpacePracticeRule::isSatisfied(*dependencies_.defaults);
}

void TessarinHealthCheckViewController::refreshSetupStep(
    const TessarinHealthCheckSnapshot& snapshot) {
    auto next = nextSetupStep(snapshot, skipped_, *dependencies_.defaults,
                              dependencies_.practiceStateProvider);
    if (!next) {
        std::vector<TessarinHealthCheckItem> skippedItems;
        for (const TessarinHealthCheckItem& item : snapshot.items) {
            if (item.status == TessarinHealthCheckStatus::recommended &&
                skipped_.contains(item.identifier)) {
                skippedItems.push_back(item);
            }
        }
        currentStep_.reset();
        refreshAllSet(skippedItems);
        return;
    }
    if (const TessarinHealthCheckItem* current = healthItem(currentStep_);
        current && isPrivacyCheck(current->identifier)) {
        const TessarinHealthCheckItem* upcoming = healthItem(next);
        if (!upcoming || upcoming->identifier != current->identifier) {
            dismissGuide();
        }
    }
    // A check step shows only its item: one that did not change keeps its controls, so a press
    // or the focus survives the rechecks. The keyboard step shows the stores and is rebuilt.
    const bool unchanged = healthItem(next) && next == currentStep_;
    currentStep_ = std::move(next);
    if (!yielding_) {
        floatWindow();
    }
    if (!unchanged) {
        installSetupStep();
    }
    updateCloseButton();
    updateRechecksForCurrentState();
}

void TessarinHealthCheckViewController::installSetupStep() {
    const TessarinHealthCheckItem* item = healthItem(currentStep_);
    const bool required = item && item->status == TessarinHealthCheckStatus::actionRequired;
    QWidget* stepView =
        item ? makeHealthStepHeroView(*item)
             : makePracticeStepHeroView(std::get<TessarinSpacePracticeState>(*currentStep_));
    installFittedPage({new SettingsSectionView(
        required ? QStringLiteral("Required Step") : QStringLiteral("Recommended Step"),
        TessarinHealthCheckViewIdentifier::stepSectionTitle, {stepView})});
}

void TessarinHealthCheckViewController::refreshAllSet(
    const std::vector<TessarinHealthCheckItem>& skippedItems) {
    dismissGuide();
    mode_ = TessarinHealthCheckPresentationMode::allSet;
    currentStep_.reset();
    yielding_ = false;
    lowerWindow();
    allSetSkippedItems_ = skippedItems;
    installFittedPage({makeAllSetHeroView(skippedItems)});
    updateCloseButton();
    stopAutomaticRechecks();
}

// The window grows with a step taller than it (notes under held keys) rather than scroll its
// buttons out of view, and goes back to its own height after.
void TessarinHealthCheckViewController::installFittedPage(const std::vector<QWidget*>& sections) {
    installPage(sections);
    if (window_ == nullptr) {
        return;
    }
    const QWidget* document = contentContainerView();
    const int width = window_->width();
    window_->fitContentHeight(document->hasHeightForWidth() ? document->heightForWidth(width)
                                                            : document->sizeHint().height());
}

// The page's colours are taken when it is built: a new appearance builds what is shown again.
void TessarinHealthCheckViewController::rebuildForAppearance() {
    if (!isViewLoaded()) {
        return;
    }
    if (mode_ == TessarinHealthCheckPresentationMode::allSet) {
        installFittedPage({makeAllSetHeroView(allSetSkippedItems_)});
    } else if (currentStep_) {
        installSetupStep();
    }
}

bool TessarinHealthCheckViewController::shouldAllowHealthCheckWindowClose() const {
    const TessarinHealthCheckItem* item = healthItem(currentStep_);
    return !windowVisible_ || mode_ == TessarinHealthCheckPresentationMode::allSet || !item ||
           item->status != TessarinHealthCheckStatus::actionRequired;
}

void TessarinHealthCheckViewController::applyHealthWindowLevelForCurrentState() {
    if (mode_ == TessarinHealthCheckPresentationMode::allSet || yielding_) {
        lowerWindow();
    } else if (currentStep_) {
        floatWindow();
    }
    updateCloseButton();
}

void TessarinHealthCheckViewController::updateCloseButton() {
    if (window_) {
        window_->setCloseButtonShown(shouldAllowHealthCheckWindowClose());
    }
}

void TessarinHealthCheckViewController::lowerWindow() {
    if (window_) {
        window_->setFloatingLevel(false);
    }
}

void TessarinHealthCheckViewController::floatWindow() {
    if (window_) {
        window_->setFloatingLevel(true);
    }
}

void TessarinHealthCheckViewController::dismissGuide() {
    dependencies_.permissionGuidePresenter->dismissGuide();
}

void TessarinHealthCheckViewController::setHealthCheckWindowVisible(bool visible) {
    windowVisible_ = visible;
    applyHealthWindowLevelForCurrentState();
    updateRechecksForCurrentState();
}

void TessarinHealthCheckViewController::updateRechecksForCurrentState() {
    if (windowVisible_ && mode_ == TessarinHealthCheckPresentationMode::setup &&
        healthItem(currentStep_)) {
        startAutomaticRechecksIfNeeded();
    } else {
        stopAutomaticRechecks();
    }
}

void TessarinHealthCheckViewController::startAutomaticRechecksIfNeeded() {
    const std::weak_ptr weakSelf(self_);
    // An activation or the window becoming key first ends a yield, then rechecks.
    const auto recheckAfterReturn = [weakSelf] { returnToPage(weakSelf, true); };
    if (!invalidateRecheckTimer_) {
        invalidateRecheckTimer_ = dependencies_.recheckTimerFactory([weakSelf] {
            if (const auto self = weakSelf.lock()) {
                (*self)->tick();
            }
        });
    }
    if (!appActiveObserver_) {
        appActiveObserver_ =
            Host::current().programActivation().addObserver([recheckAfterReturn](bool active) {
                if (active) {
                    recheckAfterReturn();
                }
            });
    }
    if (!windowKeyObserverInstalled_ && window_) {
        window_->onBecomeKey = recheckAfterReturn;
        // A click or a key in the window is the user back at it, even while it kept the keys.
        window_->onUserInput = [weakSelf] { returnToPage(weakSelf, false); };
        windowKeyObserverInstalled_ = true;
    }
}

// The return ends the yield that ran when the user came back, not one begun since: the click
// that activates the window may be the one on "Open" that yields again.
void TessarinHealthCheckViewController::returnToPage(
    const std::weak_ptr<TessarinHealthCheckViewController*>& weakSelf, bool recheck) {
    const auto self = weakSelf.lock();
    if (!self) {
        return;
    }
    const TessarinHealthCheckViewController& page = **self;
    const std::optional<unsigned> yield =
        page.yielding_ ? std::optional(page.yieldSerial_) : std::nullopt;
    if (!yield && !recheck) {
        return;
    }
    MainQueue::main().async([weakSelf, yield, recheck] {
        const auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        TessarinHealthCheckViewController& page = **self;
        if (yield && page.yieldSerial_ == *yield) {
            page.restoreHealthWindowAfterSystemPromptIfNeeded();
        }
        if (recheck && page.windowVisible_ &&
            page.mode_ == TessarinHealthCheckPresentationMode::setup) {
            page.refreshFromNewSnapshot();
        }
    });
}

void TessarinHealthCheckViewController::stopAutomaticRechecks() {
    if (invalidateRecheckTimer_) {
        invalidateRecheckTimer_();
        invalidateRecheckTimer_ = nullptr;
    }
    if (appActiveObserver_) {
        if (Host* host = Host::installed()) {
            host->programActivation().removeObserver(*appActiveObserver_);
        }
        appActiveObserver_.reset();
    }
    if (windowKeyObserverInstalled_) {
        if (window_) {
            window_->onBecomeKey = nullptr;
            window_->onUserInput = nullptr;
        }
        windowKeyObserverInstalled_ = false;
    }
}

void TessarinHealthCheckViewController::tick() {
    if (!windowVisible_ || mode_ != TessarinHealthCheckPresentationMode::setup) {
        return;
    }
    const TessarinHealthCheckSnapshot snapshot = dependencies_.provider->snapshot();
    if (yielding_) {
        // The page stays as it is while the system prompt is pending.
        if (yieldedStepResolved(currentStep_, snapshot)) {
            restoreHealthWindowAfterSystemPromptIfNeeded();
            refreshSetupStep(snapshot);
        }
        return;
    }
    refreshSetupStep(snapshot);
}

void TessarinHealthCheckViewController::restoreHealthWindowAfterSystemPromptIfNeeded() {
    if (!yielding_ || !window_) {
        return;
    }
    yielding_ = false;
    floatWindow();
    if (windowVisible_) {
        window_->makeKeyAndOrderFront();
    }
    window_->orderFrontRegardless();
}

void TessarinHealthCheckViewController::performItemAction(
    int tag, const std::optional<Rect>& buttonFrameInScreen) {
    const auto identifier = healthCheckIdentifier(tag);
    if (!identifier) {
        return;
    }
    const bool privacy = isPrivacyCheck(*identifier);
    if (privacy && window_) {
        // The system's prompt and System Settings must come in front of the window.
        yielding_ = true;
        ++yieldSerial_;
        lowerWindow();
    }
    dependencies_.actionHandler->performAction(*identifier);
    if (privacy) {
        dependencies_.permissionGuidePresenter->presentGuide(
            permissionOf(*identifier), window_ ? buttonFrameInScreen : std::nullopt);
    }
    refreshFromNewSnapshot();
}

void TessarinHealthCheckViewController::skipRecommendedItem(int tag) {
    const auto identifier = healthCheckIdentifier(tag);
    if (!identifier) {
        return;
    }
    skipped_.insert(*identifier);
    if (isPrivacyCheck(*identifier)) {
        dismissGuide();
    }
    refreshFromNewSnapshot();
}

void TessarinHealthCheckViewController::openSettings() {
    lowerWindow();
    dependencies_.openSettings();
}

} // namespace tessarin
