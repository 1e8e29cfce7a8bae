#pragma once

#include "Core/Previews/OSDGridSpaceCaptureTarget.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class BackgroundWork;

// Pictures of the Spaces, 320 x 180 each, per display and Space ID, taken of the current Space
// of the display under the mouse. Main thread only; pictures are never dropped, only replaced
// by a different picture of the same Space or moved with a replaced Space ID.
class OSDGridScreenshotController {
public:
    using CaptureCompletion = std::function<void(std::optional<QImage>)>;
    // Performs one capture; the completion runs on the main thread.
    using CaptureHandler = std::function<void(const OSDGridSpaceCaptureTarget&, CaptureCompletion)>;

    static constexpr int imageWidth = 320;
    static constexpr int imageHeight = 180;

    // `work` carries capture results back to the main queue and must outlive the controller.
    explicit OSDGridScreenshotController(BackgroundWork& work);
    ~OSDGridScreenshotController();
    OSDGridScreenshotController(const OSDGridScreenshotController&) = delete;
    OSDGridScreenshotController& operator=(const OSDGridScreenshotController&) = delete;

    std::function<std::optional<OSDGridSpaceCaptureTarget>()> captureTargetProvider;
    // The system can capture at all (version 14 or later, capture access granted).
    std::function<bool()> captureAvailabilityProvider;
    CaptureHandler captureHandler;
    // The main queue's time in seconds, for the durations of the metric lines.
    std::function<TimeInterval()> clock;

    // Captures the current Space and records the picture if that Space is still current when
    // the capture completes; `onUpdate` hears of a stored change. The requested context, or
    // none when capturing is unavailable or there is no target.
    std::optional<OSDGridSpaceContext>
    requestCaptureForCurrentSpace(std::function<void(const OSDGridSpaceContext&)> onUpdate = {});
    // Stores the picture for the context's Space; false when there is none or it is unchanged.
    bool record(const std::optional<QImage>& image, const OSDGridSpaceContext& context);

    std::optional<OSDGridScreenshotEntry> entry(const std::string& displayIdentifier,
                                                SpaceID spaceID) const;
    std::map<int64_t, OSDGridScreenshotEntry>
    screenshotMap(const std::string& displayIdentifier,
                  const std::vector<SpaceID>& orderedSpaceIDs) const;
    void remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                       const std::string& displayIdentifier);

    // The mouse screen's identifier and number with the cursor display's Space information.
    static std::optional<OSDGridSpaceCaptureTarget> defaultCaptureTargetProvider();
    // Captures on the host's screen capture service; results come back through `work`.
    static CaptureHandler defaultCaptureHandler(BackgroundWork& work);
    // The image at 320 x 180: unchanged when it has that size, else stretched to it. Safe off
    // the main thread.
    static std::optional<QImage> preparedImage(const std::optional<QImage>& image);

private:
    void complete(const OSDGridSpaceCaptureTarget& requested, TimeInterval startTime,
                  const std::optional<QImage>& image,
                  const std::function<void(const OSDGridSpaceContext&)>& onUpdate);

    std::map<std::string, std::map<SpaceID, OSDGridScreenshotEntry>> cacheByDisplayIdentifier_;
    // Completions hold it weakly, so one arriving after the controller is gone does nothing.
    std::shared_ptr<OSDGridScreenshotController*> self_;
};

} // namespace tessarin
