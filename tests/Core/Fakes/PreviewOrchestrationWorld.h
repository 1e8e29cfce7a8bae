#pragma once

// A delegate that is its own preview caches, presentation control and shell, on a host whose
// window-list scans, captures and composition wait on one step-by-step executor.

#include "Core/Fakes/EngineWorld.h"
#include "Core/Fakes/WaitableThreadPool.h"
#include "Model/Settings/OSDGridScreenshotCaptureMode.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Support/Executor.h"

#include <QImage>

namespace tessarin::fakes {

inline constexpr WindowID kDraftWindow = 11;   // Editor on 101
inline constexpr WindowID kInboxWindow = 12;   // Mail on 102
inline constexpr WindowID kComposeWindow = 13; // Mail on 101, smaller than Draft
inline constexpr WindowID kListWindow = 21;    // Notes on 201
inline constexpr int32_t kMailPID = 502;
inline constexpr int32_t kNotesPID = 503;

// The switching scenario's two displays with four windows of three applications; shared: the
// two screens show one list "Main" of Spaces 1 to 4, and the windows sit on 1 and 2.
inline Scenario previewOrchestrationScenario(bool shared = false) {
    Scenario scenario = switchingScenario(101, shared);
    scenario.applications.push_back({kMailPID, std::string("com.example.mail"), "Mail"});
    scenario.applications.push_back({kNotesPID, std::string("com.example.notes"), "Notes"});
    const auto window = [shared](WindowID number, int32_t pid, const char* owner, const char* title,
                                 Rect bounds, std::vector<SpaceID> spaces) {
        if (shared) {
            std::transform(spaces.begin(), spaces.end(), spaces.begin(),
                           [](SpaceID id) { return id % 100; });
        }
        return ServerWindow{number, pid, owner, std::string(title), bounds, 0, 1.0, 1, spaces};
    };
    scenario.windows = {
        window(kDraftWindow, kEditorPID, "Editor", "Draft", {100, 100, 700, 450}, {101}),
        window(kInboxWindow, kMailPID, "Mail", "Inbox", {500, 300, 600, 400}, {102}),
        window(kComposeWindow, kMailPID, "Mail", "Compose", {900, 500, 300, 200}, {101}),
        window(kListWindow, kNotesPID, "Notes", "List", {1600, 100, 500, 400}, {201})};
    return scenario;
}

// A given pool runs the scans, captures and drawing on worker threads instead.
struct PreviewOrchestrationWorld {
    explicit PreviewOrchestrationWorld(
        const Scenario& scenario = previewOrchestrationScenario(),
        OSDGridScreenshotCaptureMode mode = OSDGridScreenshotCaptureMode::window,
        std::shared_ptr<WaitableThreadPool> threads = nullptr)
        : pool(std::move(threads)), world(scenario, [this](AppDelegateDependencies& dependencies) {
              dependencies.windowPreviews = nullptr;
              dependencies.presentation = nullptr;
              dependencies.shell = nullptr;
              dependencies.previewExecutor = pool ? std::shared_ptr<Executor>(pool) : executor;
          }) {
        world.host.screenCapture().setExecutor(pool ? std::shared_ptr<Executor>(pool) : executor);
        d().previewRandomFraction = [this] { return fraction; };
        d().presentationStore.setScreenshotCaptureMode(mode);
        d().presentationStore.setScreenshotTiming(OSDGridScreenshotTiming::optimised);
        d().refreshSpaceInfo(); // the current Spaces, so a change knows the one before
        world.queue.runUntilIdle();
    }
    ~PreviewOrchestrationWorld() { world.delegate.reset(); }

    AppDelegate& d() { return world.d(); }
    // Runs held scans and captures and what they post back, until nothing is left.
    void drain() {
        if (pool) {
            do {
                world.queue.runUntilIdle();
            } while (pool->waitUntilIdle());
            return;
        }
        do {
            world.queue.runUntilIdle();
        } while (executor->runJob());
    }
    // Runs the start-up scans only: the captures they start stay held, in flight.
    void holdCaptures() {
        while (!entry("UUID-A", "UUID-A", 102)->isCaptureInFlight && executor->runJob()) {
            world.queue.runUntilIdle();
        }
    }
    std::vector<SpaceID> ids(const std::string& display) {
        const auto snapshot = d().resolveDisplaySpaceOrderSnapshotWithDescriptors(display);
        return snapshot ? snapshot->displaySnapshot.visualOrderedSpaceIDs : std::vector<SpaceID>{};
    }
    // The picture at the grid index shows the window's flat colour somewhere.
    bool shows(const std::map<int64_t, OSDGridScreenshotEntry>& pictures, int64_t index,
               WindowID window, uint32_t redraws = 0) {
        const auto server = world.host.windowServer().window(window);
        const auto found = pictures.find(index);
        if (!server || found == pictures.end()) {
            return false;
        }
        const QRgb wanted =
            CaptureContent::windowColor(window, server->ownerName, *server->name, redraws).rgba();
        const QImage image = found->second.image.convertToFormat(QImage::Format_ARGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return std::find(pixels, pixels + image.width() * image.height(), wanted) !=
               pixels + image.width() * image.height();
    }
    int captures(ScreenCaptureOperation operation) {
        return world.host.screenCapture().requestCount(operation);
    }
    const OSDGridWindowPreviewRefreshScheduler::Entries& schedule() {
        return d().windowPreviewRefreshSchedule().scheduledRefreshBySpace();
    }
    std::optional<WindowPreviewRefreshEntry> entry(const std::string& space,
                                                   const std::string& preview, SpaceID id) {
        const auto found = schedule().find(*WindowPreviewRefreshKey::make(space, preview, id));
        return found == schedule().end() ? std::nullopt : std::optional(found->second);
    }

    double fraction = 0.5;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    std::shared_ptr<WaitableThreadPool> pool;
    World world;
};

} // namespace tessarin::fakes
