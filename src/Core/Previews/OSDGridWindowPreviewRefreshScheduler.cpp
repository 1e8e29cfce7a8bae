#include "Core/Previews/OSDGridWindowPreviewRefreshScheduler.h"

#include "Support/Text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>
#include <utility>

namespace tessarin {

namespace {

const std::vector<std::string>& previewDisplaysOf(const DisplaySpaceOrderSnapshot& snapshot,
                                                  const PreviewDisplaysBySpaceDisplay& map,
                                                  std::vector<std::string>& ownDisplay) {
    if (auto found = map.find(snapshot.displayIdentifier); found != map.end()) {
        return found->second;
    }
    ownDisplay = {snapshot.displayIdentifier};
    return ownDisplay;
}

std::vector<WindowPreviewRefreshKey>
allValidKeys(const std::vector<DisplaySpaceOrderSnapshot>& snapshots,
             const PreviewDisplaysBySpaceDisplay& previewDisplays) {
    std::vector<WindowPreviewRefreshKey> keys;
    for (const auto& snapshot : snapshots) {
        std::vector<std::string> ownDisplay;
        auto displayKeys = validWindowPreviewRefreshKeys(
            snapshot, previewDisplaysOf(snapshot, previewDisplays, ownDisplay));
        keys.insert(keys.end(), displayKeys.begin(), displayKeys.end());
    }
    return keys;
}

double nonNegative(double seconds) {
    return std::isnan(seconds) || seconds < 0 ? 0 : seconds;
}

// An entry's date counts while it is set and no capture runs.
std::optional<std::pair<TimeInterval, WindowPreviewRefreshKey>>
countedDate(const WindowPreviewRefreshKey& key, const WindowPreviewRefreshEntry& entry) {
    if (!entry.nextRefresh || entry.isCaptureInFlight) {
        return std::nullopt;
    }
    return std::pair{*entry.nextRefresh, key};
}

} // namespace

std::vector<WindowPreviewRefreshKey>
validWindowPreviewRefreshKeys(const DisplaySpaceOrderSnapshot& snapshot,
                              const std::vector<std::string>& previewDisplayIdentifiers) {
    std::vector<WindowPreviewRefreshKey> keys;
    for (SpaceID spaceID : snapshot.systemOrderedSpaceIDs) {
        for (const auto& preview : previewDisplayIdentifiers) {
            if (auto key =
                    WindowPreviewRefreshKey::make(snapshot.displayIdentifier, preview, spaceID)) {
                keys.push_back(*key);
            }
        }
    }
    return keys;
}

std::optional<TimeInterval> periodicWindowPreviewRefreshDate(OSDGridScreenshotTiming timing,
                                                             TimeInterval now, double fraction) {
    switch (timing) {
    case OSDGridScreenshotTiming::performant:
        return std::nullopt;
    case OSDGridScreenshotTiming::optimised:
        return now + 30.0 * fraction;
    case OSDGridScreenshotTiming::power:
        return now + 10.0 * fraction;
    }
    return std::nullopt;
}

void OSDGridWindowPreviewRefreshScheduler::remapSpaceIDs(
    const std::map<SpaceID, SpaceID>& replacements, const std::string& spaceDisplayIdentifier) {
    for (const auto& [oldID, newID] : replacements) {
        if (oldID == 0 || newID == 0 || oldID == newID) {
            continue;
        }
        std::vector<std::pair<WindowPreviewRefreshKey, WindowPreviewRefreshEntry>> moved;
        for (auto it = entries_.begin(); it != entries_.end();) {
            const auto& key = it->first;
            if (key.spaceDisplayIdentifier() == spaceDisplayIdentifier && key.spaceID() == oldID) {
                moved.emplace_back(*it);
                it = eraseEntry(it);
            } else {
                ++it;
            }
        }
        for (auto& [key, entry] : moved) {
            auto newKey = WindowPreviewRefreshKey::make(key.spaceDisplayIdentifier(),
                                                        key.previewDisplayIdentifier(), newID);
            if (!newKey) {
                continue;
            }
            if (!entry.nextRefreshReason) {
                entry.nextRefreshReason = WindowPreviewRefreshReason::spaceIDReplacement;
            }
            setEntry(*newKey, entry);
        }
    }
}

void OSDGridWindowPreviewRefreshScheduler::dropInvalidEntries(
    const std::vector<WindowPreviewRefreshKey>& validKeys, const KeyFilter& inScope) {
    std::set<WindowPreviewRefreshKey> valid(validKeys.begin(), validKeys.end());
    for (auto it = entries_.begin(); it != entries_.end();) {
        it = inScope(it->first) && !valid.contains(it->first) ? eraseEntry(it) : std::next(it);
    }
}

void OSDGridWindowPreviewRefreshScheduler::reconcile(
    const std::vector<DisplaySpaceOrderSnapshot>& displaySnapshots,
    const PreviewDisplaysBySpaceDisplay& previewDisplays) {
    for (const auto& snapshot : displaySnapshots) {
        remapSpaceIDs(snapshot.spaceIDReplacements, snapshot.displayIdentifier);
    }
    dropInvalidEntries(allValidKeys(displaySnapshots, previewDisplays),
                       [](const WindowPreviewRefreshKey&) { return true; });
}

void OSDGridWindowPreviewRefreshScheduler::scheduleNextRefresh(const WindowPreviewRefreshKey& key,
                                                               WindowPreviewRefreshReason reason,
                                                               TimeInterval date) {
    const auto found = entries_.find(key);
    WindowPreviewRefreshEntry entry =
        found == entries_.end() ? WindowPreviewRefreshEntry{} : found->second;
    entry.nextRefresh = date;
    entry.nextRefreshReason = reason;
    setEntry(key, entry);
}

void OSDGridWindowPreviewRefreshScheduler::scheduleStaggered(
    const std::vector<WindowPreviewRefreshKey>& keys, WindowPreviewRefreshReason reason,
    TimeInterval now, double initialDelay, double spreadDuration) {
    const double delay = nonNegative(initialDelay);
    const double spread = nonNegative(spreadDuration);
    const auto count = static_cast<double>(std::max<std::size_t>(keys.size(), 2) - 1);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        scheduleNextRefresh(keys[i], reason, now + delay + spread * static_cast<double>(i) / count);
    }
}

void OSDGridWindowPreviewRefreshScheduler::scheduleAllVisibleSpaces(
    const std::vector<DisplaySpaceOrderSnapshot>& displaySnapshots,
    const PreviewDisplaysBySpaceDisplay& previewDisplays, WindowPreviewRefreshReason reason,
    TimeInterval now, double initialDelay, double spreadDuration) {
    reconcile(displaySnapshots, previewDisplays);
    scheduleStaggered(allValidKeys(displaySnapshots, previewDisplays), reason, now, initialDelay,
                      spreadDuration);
}

void OSDGridWindowPreviewRefreshScheduler::scheduleDisplay(
    const DisplaySpaceOrderSnapshot& snapshot, const std::string& previewDisplayIdentifier,
    WindowPreviewRefreshReason reason, TimeInterval now) {
    remapSpaceIDs(snapshot.spaceIDReplacements, snapshot.displayIdentifier);
    auto keys = validWindowPreviewRefreshKeys(snapshot, {previewDisplayIdentifier});
    const auto space = trimmingWhitespaceAndNewlines(snapshot.displayIdentifier);
    const auto preview = trimmingWhitespaceAndNewlines(previewDisplayIdentifier);
    dropInvalidEntries(keys, [&](const WindowPreviewRefreshKey& key) {
        return key.spaceDisplayIdentifier() == space && key.previewDisplayIdentifier() == preview;
    });
    scheduleStaggered(keys, reason, now, 0, 0);
}

std::vector<WindowPreviewRefreshRequest>
OSDGridWindowPreviewRefreshScheduler::primeWindowPreviewsIfNeeded(
    const std::vector<DisplaySpaceOrderSnapshot>& displaySnapshots,
    const PreviewDisplaysBySpaceDisplay& previewDisplays, OSDGridScreenshotTiming timing,
    TimeInterval now, const RandomFraction& randomFraction) {
    std::vector<WindowPreviewRefreshRequest> requests;
    if (!entries_.empty() || displaySnapshots.empty()) {
        return requests;
    }
    for (const auto& key : allValidKeys(displaySnapshots, previewDisplays)) {
        WindowPreviewRefreshEntry entry;
        entry.nextRefresh = periodicWindowPreviewRefreshDate(timing, now, randomFraction());
        if (entry.nextRefresh) {
            entry.nextRefreshReason = WindowPreviewRefreshReason::periodic;
        }
        setEntry(key, entry);
        requests.push_back({key, WindowPreviewRefreshReason::startupPrime});
    }
    return requests;
}

void OSDGridWindowPreviewRefreshScheduler::noteCaptureRequested(
    const WindowPreviewRefreshRequest& request) {
    auto found = entries_.find(request.key);
    if (found == entries_.end()) {
        return;
    }
    WindowPreviewRefreshEntry entry = found->second;
    entry.isCaptureInFlight = true;
    entry.nextRefresh.reset();
    entry.nextRefreshReason.reset();
    setEntry(request.key, entry);
}

void OSDGridWindowPreviewRefreshScheduler::noteCaptureCompleted(
    const WindowPreviewRefreshKey& key, WindowPreviewRefreshReason reason, bool stored,
    OSDGridScreenshotTiming timing, TimeInterval now, const RandomFraction& randomFraction) {
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        return;
    }
    WindowPreviewRefreshEntry entry = found->second;
    entry.isCaptureInFlight = false;
    if (stored) {
        entry.lastRefresh = now;
    }
    entry.lastRefreshReason = reason;
    entry.nextRefresh = periodicWindowPreviewRefreshDate(timing, now, randomFraction());
    entry.nextRefreshReason =
        entry.nextRefresh ? std::optional(WindowPreviewRefreshReason::periodic) : std::nullopt;
    setEntry(key, entry);
}

void OSDGridWindowPreviewRefreshScheduler::setEntry(const WindowPreviewRefreshKey& key,
                                                    const WindowPreviewRefreshEntry& entry) {
    auto [position, inserted] = entries_.try_emplace(key, entry);
    if (!inserted) {
        if (const auto date = countedDate(key, position->second)) {
            dates_.erase(*date);
        }
        position->second = entry;
    }
    if (const auto date = countedDate(key, entry)) {
        dates_.insert(*date);
    }
}

OSDGridWindowPreviewRefreshScheduler::Entries::iterator
OSDGridWindowPreviewRefreshScheduler::eraseEntry(Entries::iterator position) {
    if (const auto date = countedDate(position->first, position->second)) {
        dates_.erase(*date);
    }
    return entries_.erase(position);
}

std::vector<WindowPreviewRefreshRequest>
OSDGridWindowPreviewRefreshScheduler::dueRefreshRequests(TimeInterval now) const {
    // In key order: preview screen, Space display, Space ID.
    std::vector<WindowPreviewRefreshKey> due;
    for (auto it = dates_.begin(); it != dates_.end() && it->first <= now; ++it) {
        due.push_back(it->second);
    }
    std::sort(due.begin(), due.end());
    std::vector<WindowPreviewRefreshRequest> requests;
    requests.reserve(due.size());
    for (const WindowPreviewRefreshKey& key : due) {
        requests.push_back({key, entries_.at(key).nextRefreshReason.value_or(
                                     WindowPreviewRefreshReason::periodic)});
    }
    return requests;
}

std::optional<TimeInterval> OSDGridWindowPreviewRefreshScheduler::nextRefreshDeadline() const {
    if (dates_.empty()) {
        return std::nullopt;
    }
    return dates_.begin()->first;
}

} // namespace tessarin
