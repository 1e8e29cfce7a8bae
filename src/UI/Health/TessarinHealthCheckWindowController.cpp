#include "UI/Health/TessarinHealthCheckWindowController.h"

#include "Model/Health/TessarinHealthStatusProvider.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramActivation.h"
#include "UI/Health/TessarinHealthCheckPanel.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"

#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

namespace {

TessarinHealthCheckPageDependencies withProvider(TessarinHealthCheckPageDependencies d) {
    if (!d.defaults) {
        d.defaults = &Host::current().defaults();
    }
    if (!d.provider) {
        auto provider = std::make_shared<TessarinHealthStatusProvider>();
        provider->permissionHistoryDefaults = &Host::current().defaults();
        d.provider = std::move(provider);
    }
    return d;
}

} // namespace

TessarinHealthCheckWindowController::TessarinHealthCheckWindowController(
    TessarinHealthCheckPageDependencies dependencies)
    : provider_(withProvider(dependencies).provider),
      launchPolicy_(*withProvider(dependencies).defaults) {
    dependencies.provider = provider_;
    dependencies.defaults = &launchPolicy_.defaults();
    page_ = std::make_unique<TessarinHealthCheckViewController>(std::move(dependencies));

    window_ = std::make_unique<TessarinHealthCheckPanel>(Rect{0, 0, contentWidth, contentHeight});
    // Titled and closable only: the user moves the window but does not resize it.
    window_->setMinimumSize(520, 380);
    window_->setFixedSize(static_cast<int>(contentWidth), static_cast<int>(contentHeight));
    auto* content = new QVBoxLayout(window_.get());
    content->setContentsMargins(0, 0, 0, 0);
    page_->setWindow(window_.get());
    // Setting the content loads the page, which builds its first step at once.
    content->addWidget(page_->view());
    window_->shouldClose = [this] { return windowShouldClose(); };
    window_->willClose = [this] { windowWillClose(); };
    window_->onResignKey = [this] { windowDidResignKey(); };
}

TessarinHealthCheckWindowController::~TessarinHealthCheckWindowController() {
    page_->stopAutomaticRechecks();
    page_->setWindow(nullptr);
    window_->shouldClose = nullptr;
    window_->willClose = nullptr;
    window_->onResignKey = nullptr;
}

TessarinHealthLaunchPresentation TessarinHealthCheckWindowController::launchPresentation() {
    return launchPolicy_.presentation(provider_->snapshot(), page_->isSpacePracticeSatisfied());
}

void TessarinHealthCheckWindowController::present(TessarinHealthCheckPresentationMode mode) {
    if (mode == TessarinHealthCheckPresentationMode::setup) {
        // Setup shown with something outstanding owes the all-set page to a later launch.
        if (provider_->snapshot().needsAttention() || !page_->isSpacePracticeSatisfied()) {
            launchPolicy_.notePendingAllSet();
        }
    }
    page_->refresh(mode);
    if (window_->isMiniaturized()) {
        window_->showNormal();
    }
    positionAtTopLeftOfActiveScreen();
    Host::current().programActivation().activate();
    window_->makeKeyAndOrderFront();
    window_->orderFrontRegardless();
    page_->setHealthCheckWindowVisible(true);
}

void TessarinHealthCheckWindowController::positionAtTopLeftOfActiveScreen() {
    const std::optional<Screen> screen = window_->hostScreen();
    if (!screen) {
        return;
    }
    const Rect& visible = screen->visibleFrame;
    const double height = window_->hostFrame().height();
    window_->setHostFrameOrigin(
        Point{visible.minX() + screenInset,
              std::max(visible.minY() + screenInset, visible.maxY() - height - screenInset)});
}

bool TessarinHealthCheckWindowController::windowShouldClose() const {
    return page_->shouldAllowHealthCheckWindowClose();
}

void TessarinHealthCheckWindowController::windowWillClose() {
    ShortcutRecorderControl::cancelActiveRecording();
    page_->setHealthCheckWindowVisible(false);
}

void TessarinHealthCheckWindowController::windowDidResignKey() {
    ShortcutRecorderControl::cancelActiveRecording();
}

} // namespace tessarin
