#include "Core/Previews/OSDGridWindowPreviewRefreshScheduler.h"

#include "Support/Text.h"

#include <algorithm>
#include <cmath>
#include <set>

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
    // Moved entries keep their dates, so the deadline stays unless one replaces another.
    for (const auto& [oldID, newID] : replacements) {
        if (oldID == 0 || newID == 0 || oldID == newID) {
            continue;
        }
        std::vector<std::pair<WindowPreviewRefreshKey, WindowPreviewRefreshEntry>> moved;
        for (auto it = entries_.begin(); it != entries_.end();) {
            const auto& key = it->first;
            if (key.spaceDisplayIdentifier() == spaceDisplayIdentifier && key.spaceID() == oldID) {
                moved.emplace_back(*it);
                it = entries_.erase(it);
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
            if (!entries_.insert_or_assign(*newKey, entry).second) {
                deadline_.reset(); // an entry replaced may have held it
            }
        }
    }
}

void OSDGridWindowPreviewRefreshScheduler::dropInvalidEntries(
    const std::vector<WindowPreviewRefreshKey>& validKeys, const KeyFilter& inScope) {
    deadline_.reset();
    std::set<WindowPreviewRefreshKey> valid(validKeys.begin(), validKeys.end());
    std::erase_if(entries_, [&](const auto& item) {
        return inScope(item.first) && !valid.contains(item.first);
    });
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
    deadline_.reset();
    auto& entry = entries_[key];
    entry.nextRefresh = date;
    entry.nextRefreshReason = reason;
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
    deadline_.reset();
    for (const auto& key : allValidKeys(displaySnapshots, previewDisplays)) {
        WindowPreviewRefreshEntry entry;
        entry.nextRefresh = periodicWindowPreviewRefreshDate(timing, now, randomFraction());
        if (entry.nextRefresh) {
            entry.nextRefreshReason = WindowPreviewRefreshReason::periodic;
        }
        entries_.insert_or_assign(key, entry);
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
    forgetDeadlineIfItWas(found->second);
    found->second.isCaptureInFlight = true;
    found->second.nextRefresh.reset();
    found->second.nextRefreshReason.reset();
}

void OSDGridWindowPreviewRefreshScheduler::noteCaptureCompleted(
    const WindowPreviewRefreshKey& key, WindowPreviewRefreshReason reason, bool stored,
    OSDGridScreenshotTiming timing, TimeInterval now, const RandomFraction& randomFraction) {
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        return;
    }
    auto& entry = found->second;
    forgetDeadlineIfItWas(entry);
    entry.isCaptureInFlight = false;
    if (stored) {
        entry.lastRefresh = now;
    }
    entry.lastRefreshReason = reason;
    entry.nextRefresh = periodicWindowPreviewRefreshDate(timing, now, randomFraction());
    entry.nextRefreshReason =
        entry.nextRefresh ? std::optional(WindowPreviewRefreshReason::periodic) : std::nullopt;
    if (deadline_ && entry.nextRefresh && (!*deadline_ || *entry.nextRefresh < **deadline_)) {
        deadline_ = entry.nextRefresh;
    }
}

void OSDGridWindowPreviewRefreshScheduler::forgetDeadlineIfItWas(
    const WindowPreviewRefreshEntry& entry) {
    if (deadline_ && !entry.isCaptureInFlight && entry.nextRefresh &&
        entry.nextRefresh == *deadline_) {
        deadline_.reset();
    }
}

std::vector<WindowPreviewRefreshRequest>
OSDGridWindowPreviewRefreshScheduler::dueRefreshRequests(TimeInterval now) const {
    // The map's key order is already preview screen, Space display, Space ID.
    std::vector<WindowPreviewRefreshRequest> requests;
    for (const auto& [key, entry] : entries_) {
        if (entry.nextRefresh && *entry.nextRefresh <= now && !entry.isCaptureInFlight) {
            requests.push_back(
                {key, entry.nextRefreshReason.value_or(WindowPreviewRefreshReason::periodic)});
        }
    }
    return requests;
}

std::optional<TimeInterval> OSDGridWindowPreviewRefreshScheduler::nextRefreshDeadline() const {
    if (deadline_) {
        return *deadline_;
    }
    std::optional<TimeInterval> earliest;
    for (const auto& [key, entry] : entries_) {
        if (entry.nextRefresh && !entry.isCaptureInFlight &&
            (!earliest || *entry.nextRefresh < *earliest)) {
            earliest = entry.nextRefresh;
        }
    }
    deadline_ = earliest;
    return earliest;
}

} // namespace tessarin
