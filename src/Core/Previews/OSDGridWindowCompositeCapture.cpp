#include "Core/Previews/OSDGridWindowCompositeCapture.h"

#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Core/Previews/OSDGridWindowDiagnostics.h"
#include "Core/Previews/OSDGridWindowPreviewComposer.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Support/BackgroundWork.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tessarin::OSDGridWindowCompositeCapture {

namespace {

struct Captured {
    std::size_t candidate; // index into the candidates
    QImage image;
};

// One composite capture as it moves from step to step; only the main queue touches it.
struct Run {
    std::vector<OSDGridWindowPreviewRenderCandidate> candidates; // the last 16
    std::optional<QImage> background;
    std::optional<Rect> displayFrame;
    ScreenCapture* screenCapture = nullptr;
    BackgroundWork* work = nullptr;
    Completion completion;
    TimeInterval startTime = 0;
    // Candidates whose windows the content holds, with their capture sizes.
    std::vector<std::pair<std::size_t, Size>> queued;
    std::size_t next = 0;
    std::vector<Captured> captured;
};

struct Composed {
    std::optional<QImage> image;
    int capturedWindows = 0;
};

void finish(Run& run, std::optional<QImage> image, int capturedWindows, const char* result) {
    run.completion({std::move(image), static_cast<int>(run.candidates.size()), capturedWindows,
                    OSDGridScreenshotMetrics::milliseconds(MainQueue::main().now() - run.startTime),
                    result});
}

OSDGridRenderableWindowPreview renderable(const OSDGridWindowPreviewRenderCandidate& candidate,
                                          QImage image) {
    OSDGridRenderableWindowPreview preview;
    preview.windowID = candidate.windowID;
    preview.image = OSDGridWindowPreviewComposer::normalizedWindowCaptureImage(image);
    preview.bounds = candidate.bounds;
    preview.zIndex = static_cast<int>(candidate.zIndex);
    if (candidate.onScreenIndex) {
        preview.onScreenIndex = static_cast<int>(*candidate.onScreenIndex);
    }
    preview.appIcon = candidate.appIcon;
    preview.bundleIdentifier = candidate.bundleIdentifier;
    preview.appDisplayName = candidate.appDisplayName;
    preview.area = candidate.area;
    return preview;
}

// Trims and composes on the executor; it sees only copies.
void compose(const std::shared_ptr<Run>& run) {
    std::function<Composed()> job =
        [candidates = run->candidates, captured = std::move(run->captured),
         background = run->background, frame = run->displayFrame]() mutable {
            // Taken out of the job, so the full-size captures are freed when it returns rather
            // than whenever the executor drops the job.
            const std::vector<Captured> captures = std::move(captured);
            std::vector<OSDGridRenderableWindowPreview> previews;
            previews.reserve(captures.size());
            for (const Captured& capture : captures) {
                previews.push_back(renderable(candidates[capture.candidate], capture.image));
            }
            OSDGridWindowDiagnostics::debugRenderablePreviews(previews, "capture.captured", frame);
            return Composed{OSDGridWindowPreviewComposer::compose(previews, background, frame),
                            static_cast<int>(previews.size())};
        };
    std::function<void(Composed)> deliver = [run](Composed composed) {
        finish(*run, std::move(composed.image), composed.capturedWindows, "success");
    };
    run->work->run(std::move(job), std::move(deliver));
}

void captureNext(const std::shared_ptr<Run>& run) {
    if (run->next >= run->queued.size()) {
        compose(run);
        return;
    }
    const Size size = run->queued[run->next].second;
    const std::size_t index = run->queued[run->next++].first;
    std::function<void(ScreenCaptureResult)> deliver = [run, index](ScreenCaptureResult result) {
        if (result.image && !result.image->isNull()) {
            run->captured.push_back({index, std::move(*result.image)});
        }
        captureNext(run);
    };
    run->screenCapture->captureWindow(run->candidates[index].windowID, static_cast<int>(size.width),
                                      static_cast<int>(size.height),
                                      run->work->onMainQueue(std::move(deliver)));
}

void start(const std::shared_ptr<Run>& run, const ShareableContent& content) {
    OSDGridWindowDiagnostics::debugRenderCandidates(
        OSDGridWindowPreviewRenderCandidate::diagnosticFields(run->candidates), "capture.input",
        std::nullopt, run->displayFrame);
    for (std::size_t i = 0; i < run->candidates.size(); ++i) {
        const auto& candidate = run->candidates[i];
        const auto window = std::find_if(
            content.windows.begin(), content.windows.end(),
            [&](const ShareableWindow& w) { return w.windowID == candidate.windowID; });
        const auto size = window != content.windows.end()
                              ? capturePixelSize(window->frame, candidate.captureScale)
                              : std::nullopt;
        if (size) {
            run->queued.emplace_back(i, *size);
        }
    }
    captureNext(run);
}

} // namespace

std::optional<Size> capturePixelSize(const Rect& windowFrame, double captureScale) {
    const double width = std::floor(captureScale * windowFrame.width());
    const double height = std::floor(captureScale * windowFrame.height());
    if (!std::isfinite(width) || !std::isfinite(height) ||
        width > ScreenCapture::maximumPixelSize || height > ScreenCapture::maximumPixelSize) {
        return std::nullopt;
    }
    return Size{std::max(1.0, width), std::max(1.0, height)};
}

void capture(std::vector<OSDGridWindowPreviewRenderCandidate> candidates,
             std::optional<QImage> backgroundImage, std::optional<Rect> displayFrame,
             ScreenCapture& screenCapture, BackgroundWork& work, Completion completion) {
    auto run = std::make_shared<Run>();
    if (candidates.size() > kMaximumWindows) {
        candidates.erase(candidates.begin(), candidates.end() - kMaximumWindows);
    }
    run->candidates = std::move(candidates);
    run->background = std::move(backgroundImage);
    run->displayFrame = displayFrame;
    run->screenCapture = &screenCapture;
    run->work = &work;
    run->completion = std::move(completion);
    run->startTime = MainQueue::main().now();
    std::function<void(ShareableContentResult)> deliver = [run](ShareableContentResult result) {
        if (!result.content) {
            finish(*run, std::nullopt, 0, "error");
            return;
        }
        start(run, *result.content);
    };
    screenCapture.getShareableContent(work.onMainQueue(std::move(deliver)));
}

} // namespace tessarin::OSDGridWindowCompositeCapture
