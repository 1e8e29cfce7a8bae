#include "Core/Previews/OSDGridScreenCapture.h"

#include "Core/Previews/OSDGridScreenshotImage.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Platform/Host.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Support/BackgroundWork.h"

#include <chrono>
#include <set>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr int width = 320;
constexpr int height = 180;

// Thread-safe seconds for the durations measured on both sides of the capture.
double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

using Fields = std::map<std::string, std::string>;

Fields baseFields(const OSDGridSpaceCaptureTarget& target, double startTime, const char* result) {
    return {{"display", target.context.displayIdentifier},
            {"displayID", std::to_string(target.displayID)},
            {"durationMs", OSDGridScreenshotMetrics::milliseconds(steadySeconds() - startTime)},
            {"result", result},
            {"thread", "background"}};
}

// The bundle identifiers of this process's own applications, whose windows stay out of the
// picture.
std::set<std::string> ownBundleIdentifiers(const ShareableContent& content) {
    std::set<std::string> identifiers;
    const auto own = static_cast<int32_t>(::getpid());
    for (const ShareableApplication& application : content.applications) {
        if (application.processIdentifier == own && !application.bundleIdentifier.empty()) {
            identifiers.insert(application.bundleIdentifier);
        }
    }
    return identifiers;
}

bool listsDisplay(const ShareableContent& content, DisplayID displayID) {
    for (const ShareableDisplay& display : content.displays) {
        if (display.displayID == displayID) {
            return true;
        }
    }
    return false;
}

// Runs on the capture's thread.
OSDGridScreenCaptureResult prepare(const OSDGridSpaceCaptureTarget& target, double startTime,
                                   double captureStart, const QImage& raw) {
    const double captureMs = steadySeconds() - captureStart;
    const double prepareStart = steadySeconds();
    auto prepared = OSDGridScreenshotImage::stretched(raw, width, height);
    const double prepareMs = steadySeconds() - prepareStart;
    const QSize size = prepared ? prepared->size() : raw.size();
    Fields fields = baseFields(target, startTime, prepared ? "success" : "prepare-failed");
    fields["captureMs"] = OSDGridScreenshotMetrics::milliseconds(captureMs);
    fields["prepareMs"] = OSDGridScreenshotMetrics::milliseconds(prepareMs);
    fields["width"] = std::to_string(size.width());
    fields["height"] = std::to_string(size.height());
    return {std::move(prepared), std::move(fields)};
}

} // namespace

void captureSpaceImage(ScreenCapture& service, BackgroundWork& work,
                       const OSDGridSpaceCaptureTarget& target,
                       std::function<void(OSDGridScreenCaptureResult)> completion) {
    const double startTime = steadySeconds();
    auto deliver = work.onMainQueue<OSDGridScreenCaptureResult>(std::move(completion));
    auto onContent = [&service, target, startTime, deliver](ShareableContentResult result) {
        if (!result.content) {
            deliver({std::nullopt, baseFields(target, startTime, "error")});
            return;
        }
        if (!listsDisplay(*result.content, target.displayID)) {
            deliver({std::nullopt, baseFields(target, startTime, "missing-display")});
            return;
        }
        const double captureStart = steadySeconds();
        service.captureDisplay(
            target.displayID, ownBundleIdentifiers(*result.content), width, height,
            [target, startTime, captureStart, deliver](ScreenCaptureResult capture) {
                if (!capture.image) {
                    deliver({std::nullopt, baseFields(target, startTime, "error")});
                    return;
                }
                deliver(prepare(target, startTime, captureStart, *capture.image));
            });
    };
    // The service is asked for its content on the main thread and answers on its own; the
    // capture itself must again be requested on the main thread.
    service.getShareableContent(work.onMainQueue<ShareableContentResult>(std::move(onContent)));
}

} // namespace tessarin
