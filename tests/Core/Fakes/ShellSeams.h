#pragma once

// The delegate's shell neighbours as recording fakes that also write every call into one
// journal, so a test reads the order of start-up and stop across them; and a world that
// launches the delegate with given arguments.

#include "Core/Fakes/EngineWorld.h"
#include "Core/Seams/PreferencesWindowPresenting.h"
#include "Core/Seams/ShortcutRecordingCancelling.h"

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
        RecordingShell::refreshSpaceInfo();
        note();
    }
    void refreshPersistentGridOverlay() override {
        RecordingShell::refreshPersistentGridOverlay();
        note();
    }
    void restartPeriodicGridScreenshotRefresh() override {
        RecordingShell::restartPeriodicGridScreenshotRefresh();
        note();
    }

private:
    void note() { journal_.push_back(calls.back()); }
    Journal& journal_;
};

class ShellRecordingPreviews final : public RecordingWindowPreviews {
public:
    explicit ShellRecordingPreviews(Journal& journal) : journal_(journal) {}
    // The Space the app-icon controller records for.
    std::optional<OSDGridSpaceContext> context;
    OSDGridSpaceContext activationContext{"B", 7, 0, 1};
    bool recordsActivation = false;

    std::optional<OSDGridSpaceContext> recordFrontmostApplicationForCurrentSpace() override {
        return note("recordFrontmost", context);
    }
    std::optional<OSDGridSpaceContext>
    recordActivatedApplication(const std::optional<RunningApplication>&) override {
        return note("recordActivated",
                    recordsActivation ? std::optional(activationContext) : std::nullopt);
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
        calls.push_back(call);
        journal_.push_back(call);
        return answer;
    }
    Journal& journal_;
};

class ShellRecordingHealth final : public RecordingHealthWindow {
public:
    explicit ShellRecordingHealth(Journal& journal) : journal_(journal) {}
    std::optional<HealthWindowMode> launchAnswer;
    std::optional<HealthWindowMode> launchPresentation() override {
        journal_.push_back("launchPresentation");
        return launchAnswer;
    }

private:
    Journal& journal_;
};

class ShellRecordingPresentation final : public RecordingOSDPresentation {
public:
    bool showOSDPreviewFixture() override {
        calls.push_back("showOSDPreviewFixture");
        return true;
    }
};

class RecordingShortcutRecorder final : public ShortcutRecordingCancelling {
public:
    explicit RecordingShortcutRecorder(Journal& journal) : journal_(journal) {}
    void cancelActiveRecording() override { journal_.push_back("cancelRecording"); }

private:
    Journal& journal_;
};

class RecordingPreferencesWindow final : public PreferencesWindowPresenting {
public:
    bool window = true;
    int broughtForward = 0;
    bool hasWindow() const override { return window; }
    void bringWindowToFront() override { ++broughtForward; }
};

// A delegate on the default scenario with the shell's fakes, launched with `arguments` after
// the program's path and no environment.
struct ShellWorldSeams {
    Journal journal;
    std::shared_ptr<JournalingShell> shell = std::make_shared<JournalingShell>(journal);
    std::shared_ptr<ShellRecordingPreviews> previews =
        std::make_shared<ShellRecordingPreviews>(journal);
    std::shared_ptr<ShellRecordingHealth> health = std::make_shared<ShellRecordingHealth>(journal);
    std::shared_ptr<ShellRecordingPresentation> presentation =
        std::make_shared<ShellRecordingPresentation>();
    std::shared_ptr<RecordingPreferencesWindow> preferences =
        std::make_shared<RecordingPreferencesWindow>();
    int preferencesMade = 0;
    std::vector<std::filesystem::path> snapshotsWritten;
    std::optional<std::string> snapshotFailure;
    std::map<std::string, std::string> environment;

    World::Adjust adjust(std::vector<std::string> arguments, std::function<bool()> bridge,
                         bool recordHotkeys) {
        return [this, arguments, bridge, recordHotkeys](AppDelegateDependencies& dependencies) {
            dependencies.shell = shell;
            if (!recordHotkeys) {
                dependencies.hotkeys = nullptr; // the host's hot keys show what was registered
            }
            dependencies.windowPreviews = previews;
            dependencies.healthWindow = health;
            dependencies.presentation = presentation;
            dependencies.shortcutRecorder = std::make_shared<RecordingShortcutRecorder>(journal);
            dependencies.bridgeInitializer = bridge;
            dependencies.launchArguments = {"tessarin"};
            dependencies.launchArguments.insert(dependencies.launchArguments.end(),
                                                arguments.begin(), arguments.end());
            dependencies.environment = [this](const std::string& name) {
                auto found = environment.find(name);
                return found == environment.end() ? std::nullopt
                                                  : std::optional<std::string>(found->second);
            };
            dependencies.makePreferencesWindow = [this](SoftwareUpdateChecking&) {
                ++preferencesMade;
                return preferences;
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
