#include "Model/Spaces/TessarinSpaceDiagnostics.h"

#include "Support/Environment.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tessarin {

namespace {

std::string optionalNumber(const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string("nil");
}

std::string boolText(bool value) {
    return value ? "true" : "false";
}

std::vector<SpaceID> sortedAscending(std::vector<SpaceID> spaceIDs) {
    std::sort(spaceIDs.begin(), spaceIDs.end());
    return spaceIDs;
}

std::string snapshotIDs(SpaceID activeSpaceID, const std::vector<SpaceID>& systemSpaceIDs,
                        const std::vector<SpaceID>& otherSpaceIDs,
                        const std::vector<SpaceID>& duplicatedSpaceIDs,
                        bool allowsRecoveryReplacements) {
    using D = TessarinSpaceDiagnostics;
    return " active=" + std::to_string(activeSpaceID) +
           " system=" + D::formatSpaceIDs(systemSpaceIDs) +
           " other=" + D::formatSpaceIDs(sortedAscending(otherSpaceIDs)) +
           " duplicated=" + D::formatSpaceIDs(duplicatedSpaceIDs) +
           " allowsRecoveryReplacements=" + boolText(allowsRecoveryReplacements);
}

void logRemapped(const char* what, const std::string& displayIdentifier,
                 const std::map<SpaceID, SpaceID>& replacements) {
    TessarinSpaceDiagnostics::debug([&] {
        return std::string(what) + " cache remapped display=" + displayIdentifier +
               " replacements=" + TessarinSpaceDiagnostics::formatReplacements(replacements);
    });
}

} // namespace

const std::set<std::string>& TessarinSpaceDiagnostics::enabledValues() {
    static const std::set<std::string> values{"1", "true", "yes", "on"};
    return values;
}

const Logger& TessarinSpaceDiagnostics::logger() {
    static const Logger instance(category);
    return instance;
}

bool TessarinSpaceDiagnostics::isEnabled() {
    return isEnvironmentSwitchOn(environmentVariable);
}

void TessarinSpaceDiagnostics::write(const std::string& message) {
    logger().debug(message);
}

std::string TessarinSpaceDiagnostics::formatSpaceIDs(const std::vector<SpaceID>& spaceIDs) {
    std::string text = "[";
    for (std::size_t index = 0; index < spaceIDs.size(); ++index) {
        if (index > 0) {
            text += ",";
        }
        text += std::to_string(spaceIDs[index]);
    }
    return text + "]";
}

std::string TessarinSpaceDiagnostics::formatSlots(const std::vector<DisplaySpaceSlot>& slots) {
    std::string text = "[";
    for (std::size_t index = 0; index < slots.size(); ++index) {
        if (index > 0) {
            text += ",";
        }
        const auto& slot = slots[index];
        const std::string id = std::to_string(slot.spaceID);
        switch (slot.kind) {
        case DisplaySpaceSlotKind::real:
            text += id;
            break;
        case DisplaySpaceSlotKind::placeholder:
            text += "placeholder(" + id + ")";
            break;
        case DisplaySpaceSlotKind::pinnedPlaceholder:
            text += "pinnedPlaceholder(" + id + ")";
            break;
        }
    }
    return text + "]";
}

std::string
TessarinSpaceDiagnostics::formatReplacements(const std::map<SpaceID, SpaceID>& replacements) {
    if (replacements.empty()) {
        return "[:]";
    }
    std::string text = "[";
    bool first = true;
    for (const auto& [oldID, newID] : replacements) { // std::map: ascending old IDs
        if (!first) {
            text += ",";
        }
        first = false;
        text += std::to_string(oldID) + "->" + std::to_string(newID);
    }
    return text + "]";
}

std::string TessarinSpaceDiagnostics::formatSeconds(double seconds) {
    if (!std::isfinite(seconds)) {
        return std::isnan(seconds) ? "nan" : (seconds > 0 ? "inf" : "-inf");
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

void TessarinSpaceDiagnostics::logStableBaseline(const std::string& reason, int screens,
                                                 int spaceDisplays) {
    debug([&] {
        return "space topology stable baseline reason=" + reason +
               " screens=" + std::to_string(screens) +
               " spaceDisplays=" + std::to_string(spaceDisplays);
    });
}

void TessarinSpaceDiagnostics::logStabilizationStarted(const std::string& reason, double duration) {
    debug([&] {
        return "space topology stabilization started reason=" + reason +
               " duration=" + formatSeconds(duration);
    });
}

void TessarinSpaceDiagnostics::logCompletionCancelled(const std::string& reason) {
    debug([&] { return "space topology stabilization completion cancelled reason=" + reason; });
}

void TessarinSpaceDiagnostics::logStabilizationEnded(const std::string& reason) {
    debug([&] { return "space topology stabilization ended reason=" + reason; });
}

void TessarinSpaceDiagnostics::logCollapseExpired(const std::string& reason, int screens,
                                                  int expectedSpaceDisplays,
                                                  std::optional<int> spaceDisplays,
                                                  std::optional<int> stableSpaceDisplays) {
    debug([&] {
        return "space topology collapse expired reason=" + reason +
               " screens=" + std::to_string(screens) +
               " expectedSpaceDisplays=" + std::to_string(expectedSpaceDisplays) +
               " spaceDisplays=" + optionalNumber(spaceDisplays) +
               " stableSpaceDisplays=" + optionalNumber(stableSpaceDisplays);
    });
}

void TessarinSpaceDiagnostics::logRecoveryReplacementsEnabled(const std::string& reason,
                                                              double duration) {
    debug([&] {
        return "space topology recovery replacements enabled reason=" + reason +
               " duration=" + formatSeconds(duration);
    });
}

void TessarinSpaceDiagnostics::logCollapsedSuppressed(const std::string& reason, int screens,
                                                      int expectedSpaceDisplays,
                                                      std::optional<int> stableSpaceDisplays,
                                                      std::optional<int> spaceDisplays) {
    debug([&] {
        return "space topology collapsed suppressed reason=" + reason +
               " screens=" + std::to_string(screens) +
               " expectedSpaceDisplays=" + std::to_string(expectedSpaceDisplays) +
               " stableSpaceDisplays=" + optionalNumber(stableSpaceDisplays) +
               " spaceDisplays=" + optionalNumber(spaceDisplays);
    });
}

void TessarinSpaceDiagnostics::logSpaceSnapshot(const std::string& displayIdentifier,
                                                SpaceID activeSpaceID,
                                                const std::vector<SpaceID>& systemSpaceIDs,
                                                const std::vector<SpaceID>& otherSpaceIDs,
                                                const std::vector<SpaceID>& duplicatedSpaceIDs,
                                                bool allowsRecoveryReplacements,
                                                const std::vector<DisplaySpaceSlot>& visualSlots,
                                                const std::map<SpaceID, SpaceID>& replacements) {
    debug([&] {
        return "space snapshot display=" + displayIdentifier +
               snapshotIDs(activeSpaceID, systemSpaceIDs, otherSpaceIDs, duplicatedSpaceIDs,
                           allowsRecoveryReplacements) +
               " visual=" + formatSlots(visualSlots) +
               " replacements=" + formatReplacements(replacements);
    });
}

void TessarinSpaceDiagnostics::logSpaceSnapshotFailed(
    const std::string& displayIdentifier, SpaceID activeSpaceID,
    const std::vector<SpaceID>& systemSpaceIDs, const std::vector<SpaceID>& otherSpaceIDs,
    const std::vector<SpaceID>& duplicatedSpaceIDs, bool allowsRecoveryReplacements,
    std::optional<int> expectedCount) {
    debug([&] {
        return "space snapshot failed display=" + displayIdentifier +
               snapshotIDs(activeSpaceID, systemSpaceIDs, otherSpaceIDs, duplicatedSpaceIDs,
                           allowsRecoveryReplacements) +
               " expectedCount=" + optionalNumber(expectedCount);
    });
}

void TessarinSpaceDiagnostics::logStoredLayoutProblem(const std::string& displayIdentifier,
                                                      const std::string& problem) {
    debug([&] {
        return "space layout normalized display=" + displayIdentifier + " problem=" + problem;
    });
}

void TessarinSpaceDiagnostics::logAppMetadataCacheRemapped(
    const std::string& displayIdentifier, const std::map<SpaceID, SpaceID>& replacements) {
    logRemapped("app metadata", displayIdentifier, replacements);
}

void TessarinSpaceDiagnostics::logWindowMetadataCacheRemapped(
    const std::string& displayIdentifier, const std::map<SpaceID, SpaceID>& replacements) {
    logRemapped("window metadata", displayIdentifier, replacements);
}

void TessarinSpaceDiagnostics::logScreenshotCacheRemapped(
    const std::string& displayIdentifier, const std::map<SpaceID, SpaceID>& replacements) {
    logRemapped("screenshot", displayIdentifier, replacements);
}

void TessarinSpaceDiagnostics::logWindowPreviewCacheRemapped(
    const std::string& displayIdentifier, const std::map<SpaceID, SpaceID>& replacements) {
    logRemapped("window preview", displayIdentifier, replacements);
}

void TessarinSpaceDiagnostics::logWindowMetadataRefreshed(
    const std::string& displayIdentifier, const std::vector<SpaceID>& visibleSpaceIDs,
    const std::string& sourcesDescription) {
    debug([&] {
        return "window metadata refreshed display=" + displayIdentifier +
               " visible=" + formatSpaceIDs(sortedAscending(visibleSpaceIDs)) +
               " sources=" + sourcesDescription;
    });
}

void TessarinSpaceDiagnostics::logTitleRecorded(const std::string& displayIdentifier,
                                                SpaceID spaceID,
                                                const std::optional<std::string>& title,
                                                const std::optional<std::string>& appName) {
    debug([&] {
        return "title recorded display=" + displayIdentifier +
               " spaceID=" + std::to_string(spaceID) + " title=" + title.value_or("nil") +
               " app=" + appName.value_or("nil");
    });
}

void TessarinSpaceDiagnostics::logIconRecorded(const std::string& displayIdentifier,
                                               SpaceID spaceID, const std::string& appName,
                                               const std::string& bundleIdentifier) {
    debug([&] {
        return "icon recorded display=" + displayIdentifier +
               " spaceID=" + std::to_string(spaceID) + " app=" + appName +
               " bundle=" + bundleIdentifier;
    });
}

void TessarinSpaceDiagnostics::logScreenshotRecorded(const std::string& displayIdentifier,
                                                     SpaceID spaceID, int index) {
    debug([&] {
        return "screenshot recorded display=" + displayIdentifier +
               " spaceID=" + std::to_string(spaceID) + " index=" + std::to_string(index);
    });
}

void TessarinSpaceDiagnostics::logActiveSpaceChanged() {
    debug([] { return std::string("active space changed"); });
}

void TessarinSpaceDiagnostics::logApplicationActivated(
    const std::optional<std::string>& appName, const std::optional<std::string>& bundleIdentifier) {
    debug([&] {
        return "application activated app=" + appName.value_or("unknown") +
               " bundle=" + bundleIdentifier.value_or("unknown");
    });
}

void TessarinSpaceDiagnostics::logScreenParametersChanged() {
    debug([] { return std::string("screen parameters changed"); });
}

void TessarinSpaceDiagnostics::logSystemWoke() {
    debug([] { return std::string("system woke from sleep"); });
}

} // namespace tessarin
