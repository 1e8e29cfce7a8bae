#pragma once

#include "Workspaces/WorkspaceConfigurationTarget.h"
#include "Workspaces/WorkspaceTargetKey.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

// One entry of a target's pop-up on the workspace configuration sheet: "No Change" (tag -1),
// or a Space tagged with its visual index.
struct WorkspaceConfigurationChoice {
    std::string title;
    int tag = -1;
    friend bool operator==(const WorkspaceConfigurationChoice&,
                           const WorkspaceConfigurationChoice&) = default;
};

// What the sheet hands back: the chosen Space per target, and every target it showed (so an
// assignment set back to "No Change" is removed, and one of an absent display is kept).
struct WorkspaceConfigurationSelection {
    std::map<WorkspaceTargetKey, int> chosen;
    std::set<WorkspaceTargetKey> shown;
    friend bool operator==(const WorkspaceConfigurationSelection&,
                           const WorkspaceConfigurationSelection&) = default;
};

// The rules of the workspace configuration sheet, apart from its widgets.
namespace WorkspaceConfigurationForm {

inline constexpr int noChangeTag = -1;
inline constexpr const char* noChangeTitle = "No Change";
inline constexpr int panelWidth = 460;

std::vector<WorkspaceConfigurationChoice> choices(const WorkspaceConfigurationTarget& target);
// The entry showing the stored index; "No Change" when nothing is stored or the Space is gone.
std::size_t preselectedChoice(const std::vector<WorkspaceConfigurationChoice>& choices,
                              const std::optional<int>& storedIndex);
int panelHeight(std::size_t targetCount);
// `selectedTags`: per shown target, the tag of its selected entry (none without selection).
WorkspaceConfigurationSelection
selection(const std::vector<std::pair<WorkspaceTargetKey, std::optional<int>>>& selectedTags);

} // namespace WorkspaceConfigurationForm

} // namespace tessarin
