#pragma once

#include "Model/Spaces/DisplaySpaceSlot.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Logger.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

// Debug lines about Space state, written to the "SpaceDiagnostics" category only while
// TESSARIN_SPACE_DEBUG is on. The switch is read on every call; when it is off no message text
// is built, so callers may pass expensive descriptions freely.
class TessarinSpaceDiagnostics {
public:
    TessarinSpaceDiagnostics() = delete;

    static constexpr const char* environmentVariable = "TESSARIN_SPACE_DEBUG";
    static constexpr const char* category = "SpaceDiagnostics";

    static const std::set<std::string>& enabledValues();
    static const Logger& logger();
    static bool isEnabled();

    // Evaluates `makeMessage` only when the switch is on.
    template <class MakeMessage> static void debug(MakeMessage&& makeMessage) {
        if (!isEnabled()) {
            return;
        }
        write(std::forward<MakeMessage>(makeMessage)());
    }

    static std::string formatSpaceIDs(const std::vector<SpaceID>& spaceIDs);
    static std::string formatSlots(const std::vector<DisplaySpaceSlot>& slots);
    static std::string formatReplacements(const std::map<SpaceID, SpaceID>& replacements);
    // Seconds as a number with at least one decimal ("5.0", "2.5").
    static std::string formatSeconds(double seconds);

    // Topology stabilization.
    static void logStableBaseline(const std::string& reason, int screens, int spaceDisplays);
    static void logStabilizationStarted(const std::string& reason, double duration);
    static void logCompletionCancelled(const std::string& reason);
    static void logStabilizationEnded(const std::string& reason);
    static void logCollapseExpired(const std::string& reason, int screens,
                                   int expectedSpaceDisplays, std::optional<int> spaceDisplays,
                                   std::optional<int> stableSpaceDisplays);
    static void logRecoveryReplacementsEnabled(const std::string& reason, double duration);
    static void logCollapsedSuppressed(const std::string& reason, int screens,
                                       int expectedSpaceDisplays,
                                       std::optional<int> stableSpaceDisplays,
                                       std::optional<int> spaceDisplays);

    // Snapshot resolution. `otherSpaceIDs` are sorted ascending by the record itself.
    static void logSpaceSnapshot(const std::string& displayIdentifier, SpaceID activeSpaceID,
                                 const std::vector<SpaceID>& systemSpaceIDs,
                                 const std::vector<SpaceID>& otherSpaceIDs,
                                 const std::vector<SpaceID>& duplicatedSpaceIDs,
                                 bool allowsRecoveryReplacements,
                                 const std::vector<DisplaySpaceSlot>& visualSlots,
                                 const std::map<SpaceID, SpaceID>& replacements);
    static void logSpaceSnapshotFailed(const std::string& displayIdentifier, SpaceID activeSpaceID,
                                       const std::vector<SpaceID>& systemSpaceIDs,
                                       const std::vector<SpaceID>& otherSpaceIDs,
                                       const std::vector<SpaceID>& duplicatedSpaceIDs,
                                       bool allowsRecoveryReplacements,
                                       std::optional<int> expectedCount);
    // A stored layout that could not be used as it was.
    static void logStoredLayoutProblem(const std::string& displayIdentifier,
                                       const std::string& problem);

    // Caches keyed by Space ID.
    static void logAppMetadataCacheRemapped(const std::string& displayIdentifier,
                                            const std::map<SpaceID, SpaceID>& replacements);
    static void logWindowMetadataCacheRemapped(const std::string& displayIdentifier,
                                               const std::map<SpaceID, SpaceID>& replacements);
    static void logScreenshotCacheRemapped(const std::string& displayIdentifier,
                                           const std::map<SpaceID, SpaceID>& replacements);
    static void logWindowPreviewCacheRemapped(const std::string& displayIdentifier,
                                              const std::map<SpaceID, SpaceID>& replacements);
    // `visibleSpaceIDs` are sorted ascending by the record itself.
    static void logWindowMetadataRefreshed(const std::string& displayIdentifier,
                                           const std::vector<SpaceID>& visibleSpaceIDs,
                                           const std::string& sourcesDescription);
    static void logTitleRecorded(const std::string& displayIdentifier, SpaceID spaceID,
                                 const std::optional<std::string>& title,
                                 const std::optional<std::string>& appName);
    static void logIconRecorded(const std::string& displayIdentifier, SpaceID spaceID,
                                const std::string& appName, const std::string& bundleIdentifier);
    static void logScreenshotRecorded(const std::string& displayIdentifier, SpaceID spaceID,
                                      int index);

    // Observers of the application shell.
    static void logActiveSpaceChanged();
    static void logApplicationActivated(const std::optional<std::string>& appName,
                                        const std::optional<std::string>& bundleIdentifier);
    static void logScreenParametersChanged();
    static void logSystemWoke();

private:
    static void write(const std::string& message);
};

} // namespace tessarin
