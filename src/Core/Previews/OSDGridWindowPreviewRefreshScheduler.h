#pragma once

#include "Core/Previews/WindowPreviewRefreshEntry.h"
#include "Core/Previews/WindowPreviewRefreshKey.h"
#include "Core/Previews/WindowPreviewRefreshRequest.h"
#include "Model/Settings/OSDGridScreenshotTiming.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// For every Space display, the screens that preview its Spaces. A snapshot whose display is
// missing here is previewed on its own display; one mapped to an empty list on none.
using PreviewDisplaysBySpaceDisplay = std::map<std::string, std::vector<std::string>>;

// A provider of random fractions in [0, 1] that spreads the periodic captures.
using RandomFraction = std::function<double()>;

// Decides when each Space's composed preview is captured again, per preview screen. A plain
// value on the main thread: it owns no timer and captures nothing; the delegate feeds it the
// layout, asks what is due and reports requested and finished captures.
class OSDGridWindowPreviewRefreshScheduler {
public:
    using Entries = std::map<WindowPreviewRefreshKey, WindowPreviewRefreshEntry>;

    const Entries& scheduledRefreshBySpace() const { return entries_; }
    void clear() {
        entries_.clear();
        dates_.clear();
    }

    // Moves the entries of replaced Space IDs of one Space display to their new IDs.
    void remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                       const std::string& spaceDisplayIdentifier);
    // Remaps, then keeps only the entries whose key the layout still produces.
    void reconcile(const std::vector<DisplaySpaceOrderSnapshot>& displaySnapshots,
                   const PreviewDisplaysBySpaceDisplay& previewDisplays);
    void scheduleNextRefresh(const WindowPreviewRefreshKey& key, WindowPreviewRefreshReason reason,
                             TimeInterval date);
    // Reconciles with the whole layout, then staggers the next capture of every valid key
    // from now + initialDelay over spreadDuration seconds.
    void scheduleAllVisibleSpaces(const std::vector<DisplaySpaceOrderSnapshot>& displaySnapshots,
                                  const PreviewDisplaysBySpaceDisplay& previewDisplays,
                                  WindowPreviewRefreshReason reason, TimeInterval now,
                                  double initialDelay, double spreadDuration);
    // Schedules the Spaces of one display as seen on one screen, due now. Only that pair's
    // entries are reconciled: the other displays and screens keep their schedules, since this
    // call knows nothing about them.
    void scheduleDisplay(const DisplaySpaceOrderSnapshot& snapshot,
                         const std::string& previewDisplayIdentifier,
                         WindowPreviewRefreshReason reason, TimeInterval now);
    // Seeds an empty schedule and returns a start-up request for every key; nothing otherwise.
    std::vector<WindowPreviewRefreshRequest>
    primeWindowPreviewsIfNeeded(const std::vector<DisplaySpaceOrderSnapshot>& displaySnapshots,
                                const PreviewDisplaysBySpaceDisplay& previewDisplays,
                                OSDGridScreenshotTiming timing, TimeInterval now,
                                const RandomFraction& randomFraction);
    void noteCaptureRequested(const WindowPreviewRefreshRequest& request);
    void noteCaptureCompleted(const WindowPreviewRefreshKey& key, WindowPreviewRefreshReason reason,
                              bool stored, OSDGridScreenshotTiming timing, TimeInterval now,
                              const RandomFraction& randomFraction);
    // Requests due at now and not running, by preview screen, Space display, then Space ID.
    std::vector<WindowPreviewRefreshRequest> dueRefreshRequests(TimeInterval now) const;
    // The earliest date of an entry whose capture is not running. A running capture is never
    // due, so counting its date would only make the timer fire again and again until it ends.
    std::optional<TimeInterval> nextRefreshDeadline() const;

    friend bool operator==(const OSDGridWindowPreviewRefreshScheduler& a,
                           const OSDGridWindowPreviewRefreshScheduler& b) {
        return a.entries_ == b.entries_;
    }

private:
    // Every change of an entry goes through these, so the dates stay in step with the entries.
    void setEntry(const WindowPreviewRefreshKey& key, const WindowPreviewRefreshEntry& entry);
    Entries::iterator eraseEntry(Entries::iterator position);
    using KeyFilter = std::function<bool(const WindowPreviewRefreshKey&)>;
    void dropInvalidEntries(const std::vector<WindowPreviewRefreshKey>& validKeys,
                            const KeyFilter& inScope);
    void scheduleStaggered(const std::vector<WindowPreviewRefreshKey>& keys,
                           WindowPreviewRefreshReason reason, TimeInterval now, double initialDelay,
                           double spreadDuration);

    Entries entries_;
    // The next dates that count (set, and no capture running) in order: every finished capture
    // asks for the earliest, and a search of all entries each time grew with their square.
    std::set<std::pair<TimeInterval, WindowPreviewRefreshKey>> dates_;
};

// The keys of one display's Spaces on the given screens: Space by Space in system order, and
// within a Space in screen order. Invalid pairs are skipped.
std::vector<WindowPreviewRefreshKey>
validWindowPreviewRefreshKeys(const DisplaySpaceOrderSnapshot& snapshot,
                              const std::vector<std::string>& previewDisplayIdentifiers);

// When the next periodic capture falls after a finished one: nothing under `performant`.
std::optional<TimeInterval> periodicWindowPreviewRefreshDate(OSDGridScreenshotTiming timing,
                                                             TimeInterval now, double fraction);

} // namespace tessarin
