#pragma once

// The delegate's shell neighbours as recording fakes that also write every call into one
// journal, so a test reads the order of start-up and stop across them; and a world that
// launches the delegate with given arguments and no environment.

#include "Core/Fakes/EngineWorld.h"
#include "Core/Seams/ShortcutRecordingCancelling.h"
#include "Model/Seams/PreferencesWindowPresenting.h"

#include <filesystem>

namespace tessarin::fakes {

using Journal = std::vector<std::string>;

inline std::string describe(const std::optional<OSDGridSpaceContext>& context) {
    return context ? context->displayIdentifier + "/" + std::to_string(context->spaceID) : "nil";
}

class JournalingShell final : public RecordingShell {
public:
    explicit JournalingShell(Journal& journal) : journal_(journal) {}
    // Runs at each Space-info refresh, to look at the world at that moment.
    std::function<void()> onRefreshSpaceInfo = [] {};
    void refreshSpaceInfo() override {
        onRefreshSpaceInfo();
        journal_.push_back("refreshSpaceInfo");
    }
    void refreshPersistentGridOverlay() override { journal_.push_back("refreshOverlays"); }
    void restartPeriodicGridScreenshotRefresh() override { journal_.push_back("restartPeriodic"); }

private:
    Journal& journal_;
};

class ShellRecordingPreviews final : public RecordingWindowPreviews {
public:
    explicit ShellRecordingPreviews(Journal& journal) : journal_(journal) {}
    std::optional<OSDGridSpaceContext> context;           // where the frontmost app is recorded
    std::optional<OSDGridSpaceContext> activationContext; // where an activation is recorded

    std::optional<OSDGridSpaceContext> recordFrontmostApplicationForCurrentSpace() override {
        return note("recordFrontmost", context);
    }
    std::optional<OSDGridSpaceContext>
    recordActivatedApplication(const std::optional<RunningApplication>&) override {
        return note("recordActivated", activationContext);
    }
    void pruneFilteredEntries() override { note("prune"); }
    std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming timing, TimeInterval now,
                                const std::function<double()>& fraction) override {
        note("prime");
        return RecordingWindowPreviews::primeWindowPreviewsIfNeeded(timing, now, fraction);
    }
    void scheduleCurrentSpaceScreenshotCapture(
        const std::optional<OSDGridSpaceContext>& forContext) override {
        note("scheduleScreenshot " + describe(forContext));
    }
    void scheduleWindowPreviewRefreshAfterSpaceChange(
        const std::optional<OSDGridSpaceContext>& current,
        const std::optional<std::pair<std::string, SpaceID>>& previous, double) override {
        note("afterSpaceChange " + describe(current) + " previous " +
             (previous ? previous->first + "/" + std::to_string(previous->second) : "nil"));
    }
    bool scheduleAllVisibleSpacePreviewRefreshes(WindowPreviewRefreshReason reason, double delay,
                                                 double spread) override {
        note("schedulePreviews " + std::to_string(static_cast<int>(reason)) + " " +
             std::to_string(delay).substr(0, 3) + " " + std::to_string(spread).substr(0, 3));
        return true;
    }
    void cancelPendingGridScreenshotCapture() override { note("cancelScreenshot"); }
    void clearScheduledPreviewRefreshes() override { note("clearScheduled"); }
    void cancelPendingWindowSpaceMetadataRefresh() override { note("cancelMetadataRefresh"); }

private:
    std::optional<OSDGridSpaceContext> note(const std::string& call,
                                            std::optional<OSDGridSpaceContext> answer = {}) {
        journal_.push_back(call);
        return answer;
    }
    Journal& journal_;
};

struct ShellWorldSeams : HealthWindowPresenting,
                         ShortcutRecordingCancelling,
                         PreferencesWindowPresenting {
    Journal journal;
    std::shared_ptr<JournalingShell> shell = std::make_shared<JournalingShell>(journal);
    std::shared_ptr<ShellRecordingPreviews> previews =
        std::make_shared<ShellRecordingPreviews>(journal);
    std::shared_ptr<RecordingOSDPresentation> presentation =
        std::make_shared<RecordingOSDPresentation>();
    // The health window, the recorder control and the preferences window are this.
    TessarinHealthLaunchPresentation launchAnswer = TessarinHealthLaunchPresentation::none;
    std::vector<TessarinHealthCheckPresentationMode> presented;
    bool preferencesHaveWindow = true;
    int preferencesMade = 0;
    int preferencesBroughtForward = 0;
    std::vector<std::filesystem::path> snapshotsWritten;
    std::optional<std::string> snapshotFailure;

    void present(TessarinHealthCheckPresentationMode mode) override { presented.push_back(mode); }
    TessarinHealthLaunchPresentation launchPresentation() override {
        journal.push_back("launchPresentation");
        return launchAnswer;
    }
    void cancelActiveRecording() override { journal.push_back("cancelRecording"); }
    bool hasWindow() const override { return preferencesHaveWindow; }
    void bringWindowToFront() override { ++preferencesBroughtForward; }

    World::Adjust adjust(std::vector<std::string> arguments, std::function<bool()> bridge,
                         bool recordHotkeys) {
        return [=, this](AppDelegateDependencies& dependencies) {
            const std::shared_ptr<ShellWorldSeams> self(std::shared_ptr<void>(), this);
            dependencies.shell = shell;
            if (!recordHotkeys) {
                dependencies.hotkeys = nullptr; // the host's hot keys show what was registered
            }
            dependencies.windowPreviews = previews;
            dependencies.healthWindow = self;
            dependencies.presentation = presentation;
            dependencies.shortcutRecorder = self;
            dependencies.bridgeInitializer = bridge;
            dependencies.launchArguments = {"tessarin"};
            dependencies.launchArguments.insert(dependencies.launchArguments.end(),
                                                arguments.begin(), arguments.end());
            dependencies.environment = [](const std::string&) { return std::nullopt; };
            dependencies.makePreferencesWindow = [this, self](SoftwareUpdateChecking&) {
                ++preferencesMade;
                return std::shared_ptr<PreferencesWindowPresenting>(self);
            };
            dependencies.launchSnapshotWriter = [this](const std::filesystem::path& path) {
                snapshotsWritten.push_back(path);
                return snapshotFailure;
            };
        };
    }
};

class ShellWorld : public ShellWorldSeams, public World {
public:
    explicit ShellWorld(std::vector<std::string> arguments = {}, Scenario scenario = {},
                        std::function<bool()> bridge = tessarin_init, bool recordHotkeys = false)
        : World(scenario.displays.empty() ? Scenario::defaultScenario() : scenario,
                adjust(std::move(arguments), std::move(bridge), recordHotkeys)) {}
    // Runs the observers' work: the notice on one turn, its task on the next.
    void deliver() { queue.runUntilIdle(); }
};

} // namespace tessarin::fakes
