#include "UI/Preferences/Keyboard/WorkspaceConfigurationForm.h"

#include <algorithm>

namespace tessarin {

std::vector<WorkspaceConfigurationChoice>
WorkspaceConfigurationForm::choices(const WorkspaceConfigurationTarget& target) {
    std::vector<WorkspaceConfigurationChoice> choices{{noChangeTitle, noChangeTag}};
    for (const WorkspaceConfigurationSpaceOption& option : target.spaceOptions) {
        choices.push_back({option.title, option.visualIndex});
    }
    return choices;
}

std::size_t WorkspaceConfigurationForm::preselectedChoice(
    const std::vector<WorkspaceConfigurationChoice>& choices,
    const std::optional<int>& storedIndex) {
    if (!storedIndex || *storedIndex < 0) {
        return 0;
    }
    const auto found = std::find_if(choices.begin(), choices.end(),
                                    [&](const auto& choice) { return choice.tag == *storedIndex; });
    return found == choices.end() ? 0 : static_cast<std::size_t>(found - choices.begin());
}

int WorkspaceConfigurationForm::panelHeight(std::size_t targetCount) {
    return std::max(180, 42 * static_cast<int>(targetCount) + 112);
}

WorkspaceConfigurationSelection WorkspaceConfigurationForm::selection(
    const std::vector<std::pair<WorkspaceTargetKey, std::optional<int>>>& selectedTags) {
    WorkspaceConfigurationSelection result;
    for (const auto& [key, tag] : selectedTags) {
        result.shown.insert(key);
        if (tag && *tag >= 0) {
            result.chosen[key] = *tag;
        }
    }
    return result;
}

} // namespace tessarin
