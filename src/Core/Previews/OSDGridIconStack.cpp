#include "Core/Previews/OSDGridIconStack.h"

#include "Core/Previews/OSDGridIconImage.h"
#include "Support/Text.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace tessarin::OSDGridIconStack {

namespace {

struct Candidate {
    OSDGridAppIconEntry entry;
    double area = 0;
};

} // namespace

OSDGridIconStackEntries make(const std::vector<OSDGridWindowRecord>& windows,
                             const InfoLookup& info,
                             const std::set<std::string>& ignoredBundleIdentifiers,
                             OSDGridIconImage::Cache& icons) {
    std::map<std::string, Candidate> byBundle;
    for (const OSDGridWindowRecord& record : windows) {
        const auto application = info(record);
        if (!application || !application->bundleIdentifier || !application->icon) {
            continue;
        }
        const std::string bundle = trimmingWhitespaceAndNewlines(*application->bundleIdentifier);
        if (bundle.empty() || ignoredBundleIdentifiers.contains(bundle)) {
            continue;
        }
        const double area = record.area();
        const auto it = byBundle.find(bundle);
        if (it != byBundle.end() && it->second.area >= area) {
            continue;
        }
        std::string name = trimmingWhitespaceAndNewlines(application->displayName.value_or(""));
        if (name.empty()) {
            name = trimmingWhitespaceAndNewlines(record.ownerName);
        }
        if (name.empty()) {
            name = bundle;
        }
        byBundle[bundle] = {{bundle, name, icons.make(*application->icon)}, area};
    }
    std::vector<Candidate> candidates;
    for (auto& [bundle, candidate] : byBundle) {
        candidates.push_back(std::move(candidate));
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        return a.area != b.area ? a.area > b.area
                                : a.entry.bundleIdentifier < b.entry.bundleIdentifier;
    });
    OSDGridIconStackEntries stack;
    for (std::size_t i = 0; i < candidates.size() && i < maximumCount; ++i) {
        stack.push_back(std::move(candidates[i].entry));
    }
    return stack;
}

OSDGridIconStackEntries filtered(const OSDGridIconStackEntries& stack, const OSDAppFilter& filter) {
    if (filter.entries.empty()) {
        return stack;
    }
    OSDGridIconStackEntries kept;
    std::copy_if(stack.begin(), stack.end(), std::back_inserter(kept),
                 [&](const OSDGridAppIconEntry& entry) {
                     return !filter.matchesCandidate(entry.appDisplayName);
                 });
    return kept;
}

} // namespace tessarin::OSDGridIconStack
