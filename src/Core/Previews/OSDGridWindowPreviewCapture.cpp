#include "Core/Previews/OSDGridCellContentMaps.h"
#include "Core/Previews/OSDGridPreviewCaptureQueue.h"
#include "Core/Previews/OSDGridPreviewScreenGeometry.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Core/Previews/OSDGridWindowCompositeCapture.h"
#include "Core/Previews/OSDGridWindowDiagnostics.h"
#include "Core/Previews/OSDGridWindowPreviewComposer.h"
#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Host.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Platform/SystemServices.h"
#include "Support/BackgroundWork.h"
#include "Support/MainQueue.h"
#include "Support/ProcessMemory.h"
#include "Support/Text.h"

#include <utility>

namespace tessarin {

namespace {

std::string boolText(bool value) {
    return value ? "true" : "false";
}

void skip(const std::string& display, const std::string& reason,
          std::map<std::string, std::string> fields = {}) {
    fields["display"] = display;
    fields["reason"] = reason;
    OSDGridScreenshotMetrics::emit("window.preview.skipped", fields);
}

std::vector<OSDGridWindowPreviewCandidateFields>
diagnosticFields(const std::vector<OSDGridWindowPreviewCandidate>& candidates) {
    std::vector<OSDGridWindowPreviewCandidateFields> fields;
    fields.reserve(candidates.size());
    for (const OSDGridWindowPreviewCandidate& candidate : candidates) {
        OSDGridWindowPreviewCandidateFields f;
        f.windowID = candidate.windowID;
        f.zIndex = static_cast<int>(candidate.zIndex);
        if (candidate.onScreenIndex) {
            f.onScreenIndex = static_cast<int>(*candidate.onScreenIndex);
        }
        f.bounds = candidate.bounds;
        f.bundleIdentifier = candidate.bundleIdentifier;
        f.appDisplayName = candidate.appDisplayName;
        f.windowTitle = candidate.windowTitle;
        fields.push_back(std::move(f));
    }
    return fields;
}

std::string nameOr(const std::optional<std::string>& text, const char* fallback) {
    const std::string trimmed = text ? trimmingWhitespaceAndNewlines(*text) : std::string();
    return trimmed.empty() ? fallback : trimmed;
}

} // namespace

// What a started capture's completion needs of its request.
struct OSDGridWindowSpaceController::PendingPreview {
    OSDGridSyntheticPreviewKey key;
    uint64_t generation = 0;
    OSDGridWindowPreviewRenderSignature signature;
    TimeInterval startTime = 0;
    std::size_t candidateCount = 0;
    OSDGridSpaceContext context;
    std::function<void(const OSDGridSpaceContext&)> onUpdate;
    std::function<void(const OSDGridSpaceContext&, bool)> onCompletion;
};

OSDGridWindowSpaceController::PreviewCaptureHandler
OSDGridWindowSpaceController::immediatePreviewCaptureHandler(
    BackgroundWork& work, std::shared_ptr<DesktopBackgroundImages> backgrounds) {
    return [&work, backgrounds](const std::vector<OSDGridWindowPreviewCandidate>& candidates,
                                const std::optional<Screen>& screen,
                                const std::optional<Rect>& displayFrame,
                                PreviewCaptureCompletion completion) {
        Host& host = Host::current();
        auto background = backgrounds->image(screen, host.desktopPictures());
        const std::size_t first =
            candidates.size() > OSDGridWindowCompositeCapture::kMaximumWindows
                ? candidates.size() - OSDGridWindowCompositeCapture::kMaximumWindows
                : 0;
        std::vector<OSDGridWindowPreviewRenderCandidate> render;
        for (std::size_t i = first; i < candidates.size(); ++i) {
            render.push_back(
                OSDGridWindowPreviewRenderCandidate::make(candidates[i], host.displays()));
        }
        OSDGridWindowDiagnostics::debugRenderCandidates(
            OSDGridWindowPreviewRenderCandidate::diagnosticFields(render), "capture.request",
            screen ? tessarinDisplayIdentifier(*screen) : std::nullopt, displayFrame);
        if (host.system().operatingSystemVersion().majorVersion < 14) {
            // No window captures here: the preview is the desktop picture alone.
            std::function<std::optional<QImage>()> job = [background, displayFrame] {
                return OSDGridWindowPreviewComposer::compose({}, background, displayFrame);
            };
            work.run(std::move(job), std::function<void(std::optional<QImage>)>(completion));
            return;
        }
        OSDGridWindowCompositeCapture::capture(
            std::move(render), std::move(background), displayFrame, host.screenCapture(), work,
            [completion](OSDGridWindowCompositeCaptureResult result) {
                OSDGridScreenshotMetrics::emit(
                    "window.capture.composited",
                    {{"requestedWindows", std::to_string(result.requestedWindows)},
                     {"capturedWindows", std::to_string(result.capturedWindows)},
                     {"durationMs", result.durationMilliseconds},
                     {"result", result.result}});
                completion(std::move(result.image));
            });
    };
}

OSDGridWindowSpaceController::PreviewCaptureHandler
OSDGridWindowSpaceController::defaultPreviewCaptureHandler(BackgroundWork& work) {
    // The captures of a refresh are freed by the time the last one has ended: what the C
    // library kept of them goes back to the system then.
    // The Spaces of a screen share its desktop picture while their captures run; none is kept
    // between refreshes.
    auto backgrounds = std::make_shared<DesktopBackgroundImages>();
    auto queue = std::make_shared<OSDGridPreviewCaptureQueue>([backgrounds] {
        backgrounds->clear();
        ProcessMemory::releaseFreedMemory();
    });
    return [queue, capture = immediatePreviewCaptureHandler(work, backgrounds)](
               const std::vector<OSDGridWindowPreviewCandidate>& candidates,
               const std::optional<Screen>& screen, const std::optional<Rect>& displayFrame,
               PreviewCaptureCompletion completion) {
        // Called once: with the picture, or with none when the capture outlives its deadline;
        // whatever comes later is dropped.
        PreviewCaptureCompletion once =
            [completion = std::move(completion),
             done = std::make_shared<bool>(false)](std::optional<QImage> image) {
                if (!std::exchange(*done, true)) {
                    completion(std::move(image));
                }
            };
        // A waiting capture does not hold the queue, which holds it; a started one does, so its
        // end has a queue to go back to.
        queue->add(
            [waiting = std::weak_ptr(queue), capture, candidates, screen, displayFrame,
             once](std::function<void()> finished) {
                capture(candidates, screen, displayFrame,
                        [queue = waiting.lock(), once, finished](std::optional<QImage> image) {
                            once(std::move(image));
                            finished();
                        });
            },
            [once] { once(std::nullopt); });
    };
}

std::vector<OSDGridSpaceContext> OSDGridWindowSpaceController::requestPreviewCaptures(
    const DisplaySpaceOrderSnapshot& snapshot, const std::string& previewDisplayIdentifier,
    const std::optional<Screen>& screen, const std::set<SpaceID>& missingSpaceIDs,
    bool previewsEnabled, bool forceRefresh,
    std::function<void(const OSDGridSpaceContext&)> onRequest,
    std::function<void(const OSDGridSpaceContext&)> onUpdate,
    std::function<void(const OSDGridSpaceContext&, bool stored)> onCompletion) {
    const std::string& display = previewDisplayIdentifier;
    if (!previewsEnabled) {
        skip(display, "disabled");
        return {};
    }
    const auto metadata = cacheByDisplayIdentifier_.find(snapshot.displayIdentifier);
    if (metadata == cacheByDisplayIdentifier_.end() || display.empty()) {
        skip(display, "missing-cache");
        return {};
    }
    const OSDAppFilter filter = appFilterProvider();
    const std::optional<Rect> displayFrame = windowServerFrame(screen, Host::current().displays());
    const int slotCount = static_cast<int>(snapshot.visualSlots.size());
    std::vector<OSDGridSpaceContext> started;
    for (const SpaceID spaceID : missingSpaceIDs) {
        const std::string space = std::to_string(spaceID);
        const auto index = snapshot.stableSpaceIDToVisualIndex.find(spaceID);
        const auto entry = metadata->second.entries.find(spaceID);
        if (index == snapshot.stableSpaceIDToVisualIndex.end() ||
            entry == metadata->second.entries.end()) {
            skip(display, "missing-entry", {{"space", space}});
            continue;
        }
        auto candidates = filteredPreviewCandidates(entry->second.previewCandidates, filter);
        const std::string count = std::to_string(candidates.size());
        // With no window left the preview is the desktop picture alone, which needs no access.
        if (!candidates.empty() && !previewCaptureAvailabilityProvider()) {
            skip(display, "unavailable", {{"space", space}, {"candidates", count}});
            continue;
        }
        auto signature = renderSignature(candidates, displayFrame);
        const OSDGridSyntheticPreviewKey key{display, spaceID};
        if (inFlightPreviewKeys_.contains(key)) {
            skip(display, "in-flight", {{"space", space}});
            continue;
        }
        if (!forceRefresh) {
            const auto cache = previewCacheByDisplayIdentifier_.find(display);
            if (cache != previewCacheByDisplayIdentifier_.end()) {
                const auto stored = cache->second.entries.find(spaceID);
                if (stored != cache->second.entries.end() &&
                    stored->second.renderSignature == signature) {
                    skip(display, "signature-unchanged", {{"space", space}, {"candidates", count}});
                    continue;
                }
            }
        }
        const std::string trimmed = trimmingWhitespaceAndNewlines(display);
        const int visualIndex = index->second;
        if (trimmed.empty() || spaceID == 0 || slotCount == 0 || visualIndex < 0 ||
            visualIndex >= slotCount) {
            continue;
        }
        inFlightPreviewKeys_.insert(key);
        const OSDGridSpaceContext context{trimmed, spaceID, visualIndex, slotCount};
        started.push_back(context);
        if (onRequest) {
            onRequest(context);
        }
        PendingPreview pending{key,
                               previewGeneration_,
                               std::move(signature),
                               MainQueue::main().now(),
                               candidates.size(),
                               context,
                               onUpdate,
                               onCompletion};
        OSDGridWindowDiagnostics::debugPreviewCandidates(
            diagnosticFields(candidates), "preview.request", display, spaceID, visualIndex);
        OSDGridScreenshotMetrics::emit("window.preview.requested",
                                       {{"display", display},
                                        {"space", space},
                                        {"index", std::to_string(visualIndex)},
                                        {"candidates", count},
                                        {"force", boolText(forceRefresh)}});
        previewCaptureHandler(candidates, screen, displayFrame,
                              [this, alive = std::weak_ptr<bool>(alive_),
                               pending = std::move(pending)](std::optional<QImage> image) {
                                  if (!alive.expired()) {
                                      completePreviewCapture(pending, image);
                                  }
                              });
    }
    return started;
}

void OSDGridWindowSpaceController::completePreviewCapture(const PendingPreview& pending,
                                                          const std::optional<QImage>& image) {
    // A capture forgotten by `clearPreviews` was taken under the old filter: its picture is not
    // stored and its schedule entry, already replaced, gets no date from it.
    if (pending.generation != previewGeneration_) {
        return;
    }
    inFlightPreviewKeys_.erase(pending.key);
    const bool stored =
        recordPreview(image, pending.signature, pending.key.spaceID, pending.key.displayIdentifier);
    OSDGridScreenshotMetrics::emit(
        "window.preview.completed",
        {{"display", pending.key.displayIdentifier},
         {"space", std::to_string(pending.key.spaceID)},
         {"durationMs",
          OSDGridScreenshotMetrics::milliseconds(MainQueue::main().now() - pending.startTime)},
         {"image", boolText(image.has_value())},
         {"stored", boolText(stored)},
         {"candidates", std::to_string(pending.candidateCount)}});
    if (pending.onCompletion) {
        pending.onCompletion(pending.context, stored);
    }
    if (stored && pending.onUpdate) {
        pending.onUpdate(pending.context);
    }
}

bool OSDGridWindowSpaceController::recordPreview(
    const std::optional<QImage>& image, const OSDGridWindowPreviewRenderSignature& renderSignature,
    SpaceID spaceID, const std::string& previewDisplayIdentifier) {
    if (!image || image->isNull()) {
        return false;
    }
    OSDGridSyntheticPreviewEntry entry{OSDGridScreenshotEntry{*image}, renderSignature};
    auto& entries = previewCacheByDisplayIdentifier_[previewDisplayIdentifier].entries;
    const auto existing = entries.find(spaceID);
    if (existing != entries.end() && existing->second == entry) {
        return false;
    }
    entries.insert_or_assign(spaceID, std::move(entry));
    return true;
}

bool OSDGridWindowSpaceController::recordWindowlessPreview(
    SpaceID spaceID, const std::string& previewDisplayIdentifier,
    const std::optional<Screen>& screen) {
    if (spaceID == 0 || previewDisplayIdentifier.empty()) {
        return false;
    }
    Host& host = Host::current();
    const std::optional<Rect> displayFrame = windowServerFrame(screen, host.displays());
    const auto picture = OSDGridWindowPreviewComposer::compose(
        {}, desktopBackgroundImage(screen, host.desktopPictures()), displayFrame);
    return recordPreview(picture, renderSignature({}, displayFrame), spaceID,
                         previewDisplayIdentifier);
}

std::vector<OSDGridWindowPreviewCandidate> OSDGridWindowSpaceController::filteredPreviewCandidates(
    const std::vector<OSDGridWindowPreviewCandidate>& candidates, const OSDAppFilter& filter) {
    if (filter.entries.empty()) {
        return candidates;
    }
    std::vector<OSDGridWindowPreviewCandidate> kept;
    for (const OSDGridWindowPreviewCandidate& candidate : candidates) {
        if (!filter.matchesCandidate(candidate.appDisplayName) &&
            !filter.matchesCandidate(candidate.windowTitle)) {
            kept.push_back(candidate);
        }
    }
    return kept;
}

OSDGridWindowPreviewRenderSignature OSDGridWindowSpaceController::renderSignature(
    const std::vector<OSDGridWindowPreviewCandidate>& filteredCandidates,
    const std::optional<Rect>& displayFrame) {
    OSDGridWindowPreviewRenderSignature signature;
    signature.displayFrame = displayFrame;
    signature.windows.reserve(filteredCandidates.size());
    for (const OSDGridWindowPreviewCandidate& candidate : filteredCandidates) {
        signature.windows.emplace_back(candidate);
    }
    return signature;
}

std::map<int, OSDGridIconStackEntries>
OSDGridWindowSpaceController::iconStackMap(const std::string& displayIdentifier,
                                           const std::vector<SpaceID>& orderedSpaceIDs) const {
    return tessarin::iconStackMap(cacheByDisplayIdentifier_, displayIdentifier, orderedSpaceIDs,
                                  appFilterProvider());
}

std::map<int, OSDGridScreenshotEntry>
OSDGridWindowSpaceController::previewMap(const std::string& previewDisplayIdentifier,
                                         const std::vector<SpaceID>& orderedSpaceIDs) const {
    return tessarin::previewMap(previewCacheByDisplayIdentifier_, previewDisplayIdentifier,
                                orderedSpaceIDs);
}

bool OSDGridWindowSpaceController::pruneFilteredEntries() {
    return tessarin::pruneFilteredEntries(cacheByDisplayIdentifier_, appFilterProvider(),
                                          &filteredPreviewCandidates);
}

void OSDGridWindowSpaceController::clearPreviews() {
    previewCacheByDisplayIdentifier_.clear();
    inFlightPreviewKeys_.clear();
    ++previewGeneration_;
}

void OSDGridWindowSpaceController::remapPreviewSpaceIDs(
    const std::map<SpaceID, SpaceID>& replacements, const std::string& previewDisplayIdentifier) {
    const auto cache = previewCacheByDisplayIdentifier_.find(previewDisplayIdentifier);
    if (cache != previewCacheByDisplayIdentifier_.end() &&
        remapEntries(cache->second.entries, replacements)) {
        TessarinSpaceDiagnostics::logWindowPreviewCacheRemapped(previewDisplayIdentifier,
                                                                replacements);
    }
}

bool OSDGridWindowSpaceController::isPreviewInFlight(const OSDGridSyntheticPreviewKey& key) const {
    return inFlightPreviewKeys_.contains(key);
}

std::string OSDGridWindowSpaceController::describeSources(const Sources& sources) {
    if (sources.empty()) {
        return "[:]";
    }
    std::string text;
    for (const auto& [spaceID, source] : sources) {
        text += (text.empty() ? "" : " | ") + std::to_string(spaceID) + ":" +
                nameOr(source.appDisplayName, "unknown") + ":" +
                nameOr(source.windowTitle, "untitled");
    }
    return "[" + text + "]";
}

} // namespace tessarin
