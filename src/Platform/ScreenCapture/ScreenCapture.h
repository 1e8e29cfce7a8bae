#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Executor.h"
#include "Support/Geometry.h"

#include <QImage>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class DesktopPictures;
class DisplayServer;
class SystemServices;
class WindowServer;

enum class ScreenCaptureOperation { shareableContent, display, window };

enum class ScreenCaptureError {
    unsupportedSystem, // before system version 14
    notPermitted,      // screen capture access not granted
    failed,            // asked for by a test
    noSuchDisplay,
    noSuchWindow,
    invalidSize, // a pixel size outside 1...16384
};

// What a capture fails with on demand: an error, or success without an image.
// `held`: a request takes what it draws as usual but does not complete until the held requests
// are released, as a capture that hangs.
enum class ScreenCaptureFault { error, noImage, held };

struct ShareableDisplay {
    DisplayID displayID = 0;
    Rect frame; // window-server coordinates
};

struct ShareableWindow {
    WindowID windowID = 0;
    int32_t processIdentifier = 0;
    std::string ownerName;
    std::string title;
    Rect frame;
    bool isOnScreen = false;
};

struct ShareableApplication {
    int32_t processIdentifier = 0;
    std::string bundleIdentifier;
    std::string applicationName;
};

struct ShareableContent {
    std::vector<ShareableDisplay> displays;
    std::vector<ShareableWindow> windows; // front to back
    std::vector<ShareableApplication> applications;
};

struct ShareableContentResult {
    std::optional<ShareableContent> content;
    std::optional<ScreenCaptureError> error;
};

// An image, or an error; neither when a fault asked for success without an image.
struct ScreenCaptureResult {
    std::optional<QImage> image;
    std::optional<ScreenCaptureError> error;
};

// The screen capture service. Each request takes what it draws from the windows and displays
// at the call (on the main thread), then draws and completes on the executor, so completions
// arrive on the executor's thread in whatever order its jobs run, or not while a test holds
// them. Windows are drawn as flat fills of their content colour (CaptureContent), back to
// front; the cursor never appears.
class ScreenCapture {
public:
    static constexpr int maximumPixelSize = 16384;
    // The transparent border a window capture has on every side, in pixels.
    static constexpr int windowMargin = 8;

    ScreenCapture(const WindowServer& windows, const DisplayServer& displays,
                  const SystemServices& system, const DesktopPictures& pictures);
    ~ScreenCapture();

    // Where the work runs; by default a thread of its own, made on first use.
    void setExecutor(std::shared_ptr<Executor> executor);

    void getShareableContent(std::function<void(ShareableContentResult)> completion);
    // The display's current Space at the pixel size, leaving out the windows of the excluded
    // applications (by bundle identifier).
    void captureDisplay(DisplayID display, const std::set<std::string>& excludedBundleIdentifiers,
                        int pixelWidth, int pixelHeight,
                        std::function<void(ScreenCaptureResult)> completion);
    // One window, wherever its Space, drawn at the pixel size inside the transparent margin.
    void captureWindow(WindowID window, int pixelWidth, int pixelHeight,
                       std::function<void(ScreenCaptureResult)> completion);

    // What the system draws of a Space for its own views (Mission Control's): the screen's
    // desktop picture and the applications' windows the Space shows, at the pixel size, at once
    // on the calling
    // thread and without the capture permission. Black where the screen has no picture; none for
    // an unknown display or a size out of range.
    std::optional<QImage> drawSpace(DisplayID display, SpaceID space, int pixelWidth,
                                    int pixelHeight) const;

    // The window's content changes colour, as if it had redrawn.
    void redrawWindow(WindowID window);
    uint32_t revision(WindowID window) const;
    void setFault(ScreenCaptureOperation operation, std::optional<ScreenCaptureFault> fault);
    int requestCount(ScreenCaptureOperation operation) const;
    // Lets the requests held so far complete, on the executor, in the order they were made.
    void releaseHeld();
    std::size_t heldCount() const { return held_.size(); }

private:
    struct DrawnWindow {
        Rect frame;
        QColor color;
    };

    // The screen's area at the pixel size: the picture, then the windows from the back.
    static QImage paint(const std::optional<QImage>& background, const Rect& area,
                        const std::vector<DrawnWindow>& frontToBack, int pixelWidth,
                        int pixelHeight);
    std::optional<ScreenCaptureError> refusal(ScreenCaptureOperation operation);
    std::optional<ScreenCaptureFault> fault(ScreenCaptureOperation operation) const;
    Executor& executor();
    // Runs the request's work on the executor, or keeps it while its operation is held.
    void complete(ScreenCaptureOperation operation, std::function<void()> work);
    QColor colorOf(const WindowInfo& window) const;

    const WindowServer& windows_;
    const DisplayServer& displays_;
    const SystemServices& system_;
    const DesktopPictures& pictures_;
    std::shared_ptr<Executor> executor_;
    std::map<WindowID, uint32_t> revisions_;
    std::map<ScreenCaptureOperation, ScreenCaptureFault> faults_;
    std::map<ScreenCaptureOperation, int> requests_;
    std::vector<std::function<void()>> held_;
};

} // namespace tessarin
