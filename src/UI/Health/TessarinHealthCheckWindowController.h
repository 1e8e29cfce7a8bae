#pragma once

#include "Model/Health/TessarinHealthLaunchPresentationPolicy.h"
#include "Model/Seams/HealthWindowPresenting.h"
#include "UI/Health/TessarinHealthCheckViewController.h"

#include <memory>

namespace tessarin {

class TessarinHealthCheckPanel;

// Owns the health window and its page: presents it in a mode at the top left of the active
// screen, tells the page whether it is on screen, and refuses to close while the wizard waits
// for a required step. Made once by the application delegate. Main thread only.
class TessarinHealthCheckWindowController final : public HealthWindowPresenting {
public:
    static constexpr double contentWidth = 540;
    static constexpr double contentHeight = 400;
    static constexpr double screenInset = 24;

    // The page's collaborators; its defaults fill what is left out.
    explicit TessarinHealthCheckWindowController(TessarinHealthCheckPageDependencies dependencies);
    ~TessarinHealthCheckWindowController() override;

    void present(TessarinHealthCheckPresentationMode mode) override;
    TessarinHealthLaunchPresentation launchPresentation() override;

    TessarinHealthStatusProviding& provider() const { return *provider_; }
    TessarinHealthLaunchPresentationPolicy& launchPolicy() { return launchPolicy_; }
    TessarinHealthCheckViewController& healthViewController() const { return *page_; }
    TessarinHealthCheckPanel* window() const { return window_.get(); }

    // What the window asks before it closes, and hears when it does or loses the keys.
    bool windowShouldClose() const;
    void windowWillClose();
    void windowDidResignKey();

private:
    void positionAtTopLeftOfActiveScreen();

    std::shared_ptr<TessarinHealthStatusProviding> provider_;
    TessarinHealthLaunchPresentationPolicy launchPolicy_;
    // The page goes first: its view lives in the window but belongs to the page.
    std::unique_ptr<TessarinHealthCheckPanel> window_;
    std::unique_ptr<TessarinHealthCheckViewController> page_;
};

} // namespace tessarin
