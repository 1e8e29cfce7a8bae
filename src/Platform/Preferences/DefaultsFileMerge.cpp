#include "Platform/Preferences/DefaultsFileMerge.h"

#include "Platform/Preferences/DefaultsFileFormat.h"

#include <algorithm>
#include <utility>

namespace tessarin {

namespace {

void apply(PropertyDictionary& values, const DefaultsChange& change) {
    if (change.value) {
        values.insert_or_assign(change.key, *change.value);
    } else {
        values.erase(change.key);
    }
}

std::size_t textSize(const DefaultsChange& change) {
    return change.value ? defaultsFileText({{change.key, *change.value}}).size() : 0;
}

} // namespace

DefaultsFileMerge mergeDefaultsChanges(PropertyDictionary onto,
                                       const std::vector<DefaultsChange>& changes,
                                       std::size_t maximumBytes) {
    DefaultsFileMerge merge{onto, {}, {}};
    for (const auto& change : changes) {
        apply(merge.values, change);
    }
    merge.text = defaultsFileText(merge.values);
    if (merge.text.size() <= maximumBytes) {
        return merge;
    }
    std::vector<std::pair<std::size_t, const DefaultsChange*>> bySize;
    for (const auto& change : changes) {
        bySize.emplace_back(textSize(change), &change);
    }
    std::stable_sort(bySize.begin(), bySize.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    merge.values = std::move(onto);
    merge.text = defaultsFileText(merge.values);
    for (const auto& [size, change] : bySize) {
        PropertyDictionary tried = merge.values;
        apply(tried, *change);
        std::string text = defaultsFileText(tried);
        if (text.size() > maximumBytes && text.size() > merge.text.size()) {
            merge.refused.push_back(change->key);
            continue;
        }
        merge.values = std::move(tried);
        merge.text = std::move(text);
    }
    return merge;
}

} // namespace tessarin
