#include "Core/Presentation/GridCellTitles.h"

#include "Support/Text.h"

#include <cstdio>

namespace tessarin {

namespace {

std::optional<std::string> nonBlank(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    std::string trimmed = trimmingWhitespaceAndNewlines(*text);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    return trimmed;
}

std::string obscuredTitle(int index) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Space %02d", index + 1);
    return buffer;
}

std::optional<std::string> cachedTitle(const GridCellTitleSources& sources, int index) {
    if (sources.cachedTitleEntries == nullptr) {
        return std::nullopt;
    }
    const auto entry = sources.cachedTitleEntries->find(index);
    if (entry == sources.cachedTitleEntries->end()) {
        return std::nullopt;
    }
    if (auto title = nonBlank(entry->second.windowTitle)) {
        return title;
    }
    return nonBlank(entry->second.appDisplayName);
}

std::optional<std::string> systemTitle(const GridCellTitleSources& sources, int index) {
    if (!sources.systemTitle) {
        return std::nullopt;
    }
    int systemIndex = index;
    if (sources.snapshot &&
        index < static_cast<int>(sources.snapshot->visualToSystemIndices.size()) &&
        sources.snapshot->visualToSystemIndices[index] >= 0) {
        systemIndex = sources.snapshot->visualToSystemIndices[index];
    }
    return nonBlank(sources.systemTitle(systemIndex));
}

std::optional<std::string> titleOfCell(const GridCellTitleSources& sources, int index) {
    const auto name = sources.customNames.find(index);
    const std::optional<std::string> customName =
        name == sources.customNames.end() ? std::nullopt : nonBlank(name->second);
    if (sources.snapshot && sources.snapshot->isPlaceholder(index)) {
        return customName;
    }
    if (customName) {
        return customName;
    }
    if (sources.obscuredIndices.count(index) > 0) {
        return obscuredTitle(index);
    }
    if (auto title = cachedTitle(sources, index)) {
        return title;
    }
    if (auto title = systemTitle(sources, index)) {
        return title;
    }
    return "Space " + std::to_string(index + 1);
}

} // namespace

std::map<int64_t, std::string> resolveGridCellTitles(const GridCellTitleSources& sources) {
    std::map<int64_t, std::string> titles;
    for (int index = 0; index < sources.cellCount; ++index) {
        if (auto title = titleOfCell(sources, index)) {
            titles.emplace(index, std::move(*title));
        }
    }
    return titles;
}

} // namespace tessarin
