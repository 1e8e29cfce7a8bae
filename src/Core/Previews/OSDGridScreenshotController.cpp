#include "Core/Previews/OSDGridScreenshotController.h"

#include "Core/Previews/OSDGridScreenCapture.h"
#include "Core/Previews/OSDGridScreenshotImage.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "TessarinCore/TessarinCore.h"

namespace tessarin {

namespace {

const char* flag(bool value) {
    return value ? "true" : "false";
}

bool systemCanCapture() {
    const SystemServices& system = Host::current().system();
    return system.operatingSystemVersion().majorVersion >= 14 &&
           system.preflightScreenCaptureAccess();
}

} // namespace

OSDGridScreenshotController::OSDGridScreenshotController(BackgroundWork& work)
    : captureTargetProvider(&defaultCaptureTargetProvider),
      captureAvailabilityProvider(&systemCanCapture), captureHandler(defaultCaptureHandler(work)),
      clock([] { return Host::current().queue().now(); }),
      self_(std::make_shared<OSDGridScreenshotController*>(this)) {}

OSDGridScreenshotController::~OSDGridScreenshotController() = default;

std::optional<OSDGridSpaceCaptureTarget>
OSDGridScreenshotController::defaultCaptureTargetProvider() {
    const auto screen = tessarinScreenContainingMouse();
    if (!screen) {
        return std::nullopt;
    }
    TessarinSpaceInfo info{};
    const bool read = tessarin_get_space_info(&info);
    return OSDGridSpaceCaptureTarget::make(tessarinDisplayIdentifier(*screen),
                                           tessarinDisplayID(*screen),
                                           read ? std::optional(info) : std::nullopt);
}

OSDGridScreenshotController::CaptureHandler
OSDGridScreenshotController::defaultCaptureHandler(BackgroundWork& work) {
    return [&work](const OSDGridSpaceCaptureTarget& target, CaptureCompletion completion) {
        if (Host::current().system().operatingSystemVersion().majorVersion < 14) {
            completion(std::nullopt);
            return;
        }
        captureSpaceImage(Host::current().screenCapture(), work, target,
                          [completion = std::move(completion)](OSDGridScreenCaptureResult result) {
                              OSDGridScreenshotMetrics::emit("screen.capture.image",
                                                             result.metricFields);
                              completion(std::move(result.image));
                          });
    };
}

std::optional<QImage>
OSDGridScreenshotController::preparedImage(const std::optional<QImage>& image) {
    if (!image || image->isNull()) {
        return std::nullopt;
    }
    if (image->width() == imageWidth && image->height() == imageHeight) {
        return image;
    }
    return OSDGridScreenshotImage::stretched(*image, imageWidth, imageHeight);
}

std::optional<OSDGridSpaceContext> OSDGridScreenshotController::requestCaptureForCurrentSpace(
    std::function<void(const OSDGridSpaceContext&)> onUpdate) {
    if (!captureAvailabilityProvider || !captureAvailabilityProvider()) {
        OSDGridScreenshotMetrics::emit("screen.capture.skipped", {{"reason", "unavailable"}});
        return std::nullopt;
    }
    const auto target = captureTargetProvider ? captureTargetProvider() : std::nullopt;
    if (!target) {
        OSDGridScreenshotMetrics::emit("screen.capture.skipped", {{"reason", "missing-target"}});
        return std::nullopt;
    }
    const TimeInterval startTime = clock();
    OSDGridScreenshotMetrics::emit("screen.capture.requested",
                                   {{"display", target->context.displayIdentifier},
                                    {"displayID", std::to_string(target->displayID)},
                                    {"space", std::to_string(target->context.spaceID)},
                                    {"index", std::to_string(target->context.index)}});
    auto completion = [weak = std::weak_ptr(self_), requested = *target, startTime,
                       onUpdate = std::move(onUpdate)](std::optional<QImage> image) {
        if (const auto self = weak.lock()) {
            (*self)->complete(requested, startTime, image, onUpdate);
        }
    };
    if (captureHandler) {
        captureHandler(*target, std::move(completion));
    } else {
        completion(std::nullopt);
    }
    return target->context;
}

void OSDGridScreenshotController::complete(
    const OSDGridSpaceCaptureTarget& requested, TimeInterval startTime,
    const std::optional<QImage>& image,
    const std::function<void(const OSDGridSpaceContext&)>& onUpdate) {
    const OSDGridSpaceContext& context = requested.context;
    std::map<std::string, std::string> fields{
        {"display", context.displayIdentifier},
        {"space", std::to_string(context.spaceID)},
        {"durationMs", OSDGridScreenshotMetrics::milliseconds(clock() - startTime)},
        {"image", flag(image && !image->isNull())}};
    // Index, count and display number may change without the Space changing.
    const auto current = captureTargetProvider ? captureTargetProvider() : std::nullopt;
    if (!current || current->context.displayIdentifier != context.displayIdentifier ||
        current->context.spaceID != context.spaceID) {
        fields["stored"] = "false";
        fields["reason"] = "target-changed";
        OSDGridScreenshotMetrics::emit("screen.capture.completed", fields);
        return;
    }
    const bool stored = record(image, context);
    fields["stored"] = flag(stored);
    OSDGridScreenshotMetrics::emit("screen.capture.completed", fields);
    if (stored && onUpdate) {
        onUpdate(context);
    }
}

bool OSDGridScreenshotController::record(const std::optional<QImage>& image,
                                         const OSDGridSpaceContext& context) {
    auto prepared = preparedImage(image);
    if (!prepared) {
        return false;
    }
    OSDGridScreenshotEntry entry{std::move(*prepared)};
    auto& entries = cacheByDisplayIdentifier_[context.displayIdentifier];
    if (const auto it = entries.find(context.spaceID); it != entries.end() && it->second == entry) {
        return false;
    }
    entries.insert_or_assign(context.spaceID, std::move(entry));
    TessarinSpaceDiagnostics::logScreenshotRecorded(context.displayIdentifier, context.spaceID,
                                                    context.index);
    return true;
}

std::optional<OSDGridScreenshotEntry>
OSDGridScreenshotController::entry(const std::string& displayIdentifier, SpaceID spaceID) const {
    const auto display = cacheByDisplayIdentifier_.find(displayIdentifier);
    if (displayIdentifier.empty() || spaceID == 0 || display == cacheByDisplayIdentifier_.end()) {
        return std::nullopt;
    }
    const auto it = display->second.find(spaceID);
    return it == display->second.end() ? std::nullopt : std::optional(it->second);
}

std::map<int64_t, OSDGridScreenshotEntry>
OSDGridScreenshotController::screenshotMap(const std::string& displayIdentifier,
                                           const std::vector<SpaceID>& orderedSpaceIDs) const {
    std::map<int64_t, OSDGridScreenshotEntry> map;
    const auto display = cacheByDisplayIdentifier_.find(displayIdentifier);
    if (displayIdentifier.empty() || display == cacheByDisplayIdentifier_.end()) {
        return map;
    }
    for (std::size_t i = 0; i < orderedSpaceIDs.size(); ++i) {
        const SpaceID spaceID = orderedSpaceIDs[i];
        if (const auto it = display->second.find(spaceID);
            spaceID != 0 && it != display->second.end()) {
            map.emplace(static_cast<int64_t>(i), it->second);
        }
    }
    return map;
}

void OSDGridScreenshotController::remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                                                const std::string& displayIdentifier) {
    const auto display = cacheByDisplayIdentifier_.find(displayIdentifier);
    if (displayIdentifier.empty() || replacements.empty() ||
        display == cacheByDisplayIdentifier_.end()) {
        return;
    }
    auto& entries = display->second;
    bool moved = false;
    for (const auto& [from, to] : replacements) {
        const auto it = entries.find(from);
        if (from == 0 || to == 0 || from == to || it == entries.end()) {
            continue;
        }
        auto moving = std::move(it->second);
        entries.erase(it);
        entries.insert_or_assign(to, std::move(moving));
        moved = true;
    }
    if (moved) {
        TessarinSpaceDiagnostics::logScreenshotCacheRemapped(displayIdentifier, replacements);
    }
}

} // namespace tessarin
