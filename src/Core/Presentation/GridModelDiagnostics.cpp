#include "Core/Presentation/GridModelDiagnostics.h"

namespace tessarin {

std::string describeCellTitles(const std::map<int64_t, std::string>& titles) {
    if (titles.empty()) {
        return "[:]";
    }
    std::string text = "[";
    for (const auto& [index, title] : titles) {
        if (text.size() > 1) {
            text += " | ";
        }
        text += std::to_string(index) + ":" + title;
    }
    return text + "]";
}

std::string describeIndexes(const std::set<int64_t>& indexes) {
    std::string text = "[";
    for (int64_t index : indexes) {
        if (text.size() > 1) {
            text += ", ";
        }
        text += std::to_string(index);
    }
    return text + "]";
}

std::string GridModelDiagnostics::line() const {
    return "grid model display=" + displayIdentifier +
           " previewDisplay=" + previewDisplayIdentifier +
           " activeIndex=" + std::to_string(activeIndex) +
           " spaceCount=" + std::to_string(spaceCount) + " titles=" + describeCellTitles(titles) +
           " screenshots=" + describeIndexes(imageIndexes) +
           " icons=" + describeIndexes(iconIndexes) +
           " obscured=" + describeIndexes(obscuredIndexes);
}

} // namespace tessarin
