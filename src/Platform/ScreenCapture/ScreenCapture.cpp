#include "Platform/ScreenCapture/ScreenCapture.h"

#include "Platform/DisplayServer.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/DesktopPictures.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"

#include <QPainter>
#include <cmath>
#include <utility>

namespace tessarin {

namespace {

constexpr int kNormalWindowLayer = 0;

bool validPixelSize(int width, int height) {
    return width >= 1 && height >= 1 && width <= ScreenCapture::maximumPixelSize &&
           height <= ScreenCapture::maximumPixelSize;
}

QRectF pixelRect(const Rect& frame, const Rect& area, double scaleX, double scaleY) {
    return QRectF((frame.origin.x - area.origin.x) * scaleX,
                  (frame.origin.y - area.origin.y) * scaleY, frame.size.width * scaleX,
                  frame.size.height * scaleY);
}

} // namespace

ScreenCapture::ScreenCapture(const WindowServer& windows, const DisplayServer& displays,
                             const SystemServices& system, const DesktopPictures& pictures)
    : windows_(windows), displays_(displays), system_(system), pictures_(pictures) {}

ScreenCapture::~ScreenCapture() = default;

void ScreenCapture::setExecutor(std::shared_ptr<Executor> executor) {
    executor_ = std::move(executor);
}

Executor& ScreenCapture::executor() {
    if (!executor_) {
        executor_ = std::make_shared<ThreadPoolExecutor>(1);
    }
    return *executor_;
}

std::optional<ScreenCaptureError> ScreenCapture::refusal(ScreenCaptureOperation operation) {
    ++requests_[operation];
    if (system_.operatingSystemVersion().majorVersion < 14) {
        return ScreenCaptureError::unsupportedSystem;
    }
    if (!system_.preflightScreenCaptureAccess()) {
        return ScreenCaptureError::notPermitted;
    }
    if (fault(operation) == ScreenCaptureFault::error) {
        return ScreenCaptureError::failed;
    }
    return std::nullopt;
}

std::optional<ScreenCaptureFault> ScreenCapture::fault(ScreenCaptureOperation operation) const {
    const auto it = faults_.find(operation);
    return it == faults_.end() ? std::nullopt : std::optional(it->second);
}

QColor ScreenCapture::colorOf(const WindowInfo& window) const {
    return CaptureContent::windowColor(window.number, window.ownerName, window.name.value_or(""),
                                       revision(window.number));
}

void ScreenCapture::getShareableContent(std::function<void(ShareableContentResult)> completion) {
    ShareableContentResult result;
    if (const auto error = refusal(ScreenCaptureOperation::shareableContent)) {
        result.error = error;
    } else {
        ShareableContent content;
        for (const DisplayID id : displays_.activeDisplayList()) {
            content.displays.push_back({id, displays_.bounds(id)});
        }
        for (const WindowInfo& window :
             windows_.windowList(WindowListOption::all, 0).value_or(std::vector<WindowInfo>{})) {
            content.windows.push_back({window.number, window.ownerPID, window.ownerName,
                                       window.name.value_or(""), window.bounds, window.isOnscreen});
        }
        for (const RunningApplication& app : system_.runningApplications()) {
            content.applications.push_back({app.processIdentifier,
                                            app.bundleIdentifier.value_or(""),
                                            app.localizedName.value_or("")});
        }
        result.content = std::move(content);
    }
    complete(
        ScreenCaptureOperation::shareableContent,
        [result = std::move(result), completion = std::move(completion)] { completion(result); });
}

void ScreenCapture::captureDisplay(DisplayID display,
                                   const std::set<std::string>& excludedBundleIdentifiers,
                                   int pixelWidth, int pixelHeight,
                                   std::function<void(ScreenCaptureResult)> completion) {
    auto error = refusal(ScreenCaptureOperation::display);
    const auto screen = displays_.screen(display);
    if (!error && !screen) {
        error = ScreenCaptureError::noSuchDisplay;
    }
    if (!error && !validPixelSize(pixelWidth, pixelHeight)) {
        error = ScreenCaptureError::invalidSize;
    }
    const bool noImage = fault(ScreenCaptureOperation::display) == ScreenCaptureFault::noImage;
    if (error || noImage) {
        complete(ScreenCaptureOperation::display, [error, completion = std::move(completion)] {
            completion({std::nullopt, error});
        });
        return;
    }
    const Rect area = displays_.bounds(display);
    std::vector<DrawnWindow> drawn;
    const auto onScreen = windows_.windowList(
        WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements, 0);
    for (const WindowInfo& window : onScreen.value_or(std::vector<WindowInfo>{})) {
        const auto app = system_.runningApplication(window.ownerPID);
        const bool excluded = app && app->bundleIdentifier &&
                              excludedBundleIdentifiers.contains(*app->bundleIdentifier);
        if (!excluded && window.bounds.intersects(area) && window.alpha > 0) {
            drawn.push_back({window.bounds, colorOf(window)});
        }
    }
    const std::optional<QImage> background = pictures_.picture(screen->uuid);
    complete(ScreenCaptureOperation::display, [=, completion = std::move(completion)] {
        completion({paint(background, area, drawn, pixelWidth, pixelHeight), std::nullopt});
    });
}

std::optional<QImage> ScreenCapture::drawSpace(DisplayID display, SpaceID space, int pixelWidth,
                                               int pixelHeight) const {
    const auto screen = displays_.screen(display);
    if (!screen || !validPixelSize(pixelWidth, pixelHeight)) {
        return std::nullopt;
    }
    const Rect area = displays_.bounds(display);
    std::vector<DrawnWindow> drawn;
    // Only the applications' windows, as Mission Control shows a Space: neither the desktop's
    // icons below them nor the menu bar's items above.
    for (const ServerWindow& window : windows_.windowsShownOnSpace(space)) {
        if (window.layer == kNormalWindowLayer && window.bounds.intersects(area) &&
            window.alpha > 0) {
            drawn.push_back(
                {window.bounds,
                 CaptureContent::windowColor(window.number, window.ownerName,
                                             window.name.value_or(""), revision(window.number))});
        }
    }
    return paint(pictures_.picture(screen->uuid), area, drawn, pixelWidth, pixelHeight);
}

QImage ScreenCapture::paint(const std::optional<QImage>& background, const Rect& area,
                            const std::vector<DrawnWindow>& frontToBack, int pixelWidth,
                            int pixelHeight) {
    QImage image(pixelWidth, pixelHeight, CaptureContent::imageFormat);
    image.fill(Qt::black);
    QPainter painter(&image);
    if (background) {
        painter.drawImage(QRectF(0, 0, pixelWidth, pixelHeight), *background);
    }
    const double scaleX = pixelWidth / area.size.width;
    const double scaleY = pixelHeight / area.size.height;
    for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it) {
        painter.fillRect(pixelRect(it->frame, area, scaleX, scaleY), it->color);
    }
    painter.end();
    return image;
}

void ScreenCapture::captureWindow(WindowID windowID, int width, int height,
                                  std::function<void(ScreenCaptureResult)> completion) {
    auto error = refusal(ScreenCaptureOperation::window);
    const auto window = windows_.window(windowID);
    if (!error && !window) {
        error = ScreenCaptureError::noSuchWindow;
    }
    const int limit = maximumPixelSize - 2 * windowMargin;
    if (!error && (width < 1 || height < 1 || width > limit || height > limit)) {
        error = ScreenCaptureError::invalidSize;
    }
    const bool noImage = fault(ScreenCaptureOperation::window) == ScreenCaptureFault::noImage;
    if (error || noImage) {
        complete(ScreenCaptureOperation::window, [error, completion = std::move(completion)] {
            completion({std::nullopt, error});
        });
        return;
    }
    const QColor color = CaptureContent::windowColor(window->number, window->ownerName,
                                                     window->name.value_or(""), revision(windowID));
    complete(ScreenCaptureOperation::window, [=, completion = std::move(completion)] {
        QImage image(width + 2 * windowMargin, height + 2 * windowMargin,
                     CaptureContent::imageFormat);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(windowMargin, windowMargin, width, height, color);
        painter.end();
        completion({std::move(image), std::nullopt});
    });
}

void ScreenCapture::redrawWindow(WindowID window) {
    ++revisions_[window];
}

uint32_t ScreenCapture::revision(WindowID window) const {
    const auto it = revisions_.find(window);
    return it == revisions_.end() ? 0 : it->second;
}

void ScreenCapture::setFault(ScreenCaptureOperation operation,
                             std::optional<ScreenCaptureFault> fault) {
    if (fault) {
        faults_[operation] = *fault;
    } else {
        faults_.erase(operation);
    }
}

void ScreenCapture::complete(ScreenCaptureOperation operation, std::function<void()> work) {
    if (fault(operation) == ScreenCaptureFault::held) {
        held_.push_back(std::move(work));
        return;
    }
    executor().execute(std::move(work));
}

void ScreenCapture::releaseHeld() {
    for (auto& work : std::exchange(held_, {})) {
        executor().execute(std::move(work));
    }
}

int ScreenCapture::requestCount(ScreenCaptureOperation operation) const {
    const auto it = requests_.find(operation);
    return it == requests_.end() ? 0 : it->second;
}

} // namespace tessarin
