#pragma once

#include "Core/Previews/OSDGridRenderableWindowPreview.h"
#include "Core/Previews/OSDGridWindowDiagnosticFields.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// Traces the window list, the preview candidates and the windows of a composed preview through
// their filters and orderings, one line per list and per element, under "WindowPreview". Off
// unless TESSARIN_WINDOW_DEBUG is on; the switch is read for every line and nothing is
// formatted while it is off.
namespace OSDGridWindowDiagnostics {

bool isEnabled();

void debugWindowRecords(const std::vector<OSDGridWindowRecordFields>& records,
                        const std::string& stage);
void debugWindowsBySpaceID(
    const std::map<SpaceID, std::vector<OSDGridWindowRecordFields>>& recordsBySpaceID,
    const std::map<SpaceID, std::set<std::uint32_t>>& previewWindowIDsBySpaceID,
    const std::set<SpaceID>& visibleSpaceIDs, const std::string& displayIdentifier);
void debugPreviewCandidates(const std::vector<OSDGridWindowPreviewCandidateFields>& candidates,
                            const std::string& stage, const std::string& displayIdentifier,
                            SpaceID spaceID, int visualIndex);
void debugRenderCandidates(const std::vector<OSDGridWindowRenderCandidateFields>& candidates,
                           const std::string& stage,
                           const std::optional<std::string>& displayIdentifier,
                           const std::optional<Rect>& displayFrame);
void debugRenderablePreviews(const std::vector<OSDGridRenderableWindowPreview>& previews,
                             const std::string& stage, const std::optional<Rect>& displayFrame);

} // namespace OSDGridWindowDiagnostics

} // namespace tessarin
