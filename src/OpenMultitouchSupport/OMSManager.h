#pragma once

#include "OpenMultitouchSupport/OMSTouchData.h"
#include "Support/Published.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace tessarin {

class MultitouchManager;
struct MultitouchFrame;

// The program's one listener on the multitouch framework. Each frame becomes an array of
// touches (states outside 0...7 and non-finite positions skipped; an empty array means no
// contact) handed to every subscriber on the framework's thread. Starting, stopping and
// `isListening` may be called from the main thread while frames arrive.
class OMSManager {
public:
    using Subscriber = std::function<void(const std::vector<OMSTouchData>&)>;

    // `framework` may be absent (the framework is not installed).
    explicit OMSManager(MultitouchManager* framework);
    ~OMSManager();
    OMSManager(const OMSManager&) = delete;
    OMSManager& operator=(const OMSManager&) = delete;

    static OMSManager& shared();

    bool isListening() const;
    // False when the framework is absent, refuses, or a listener is already registered.
    bool startListening();
    // False when the framework is absent or nothing listens.
    bool stopListening();

    // Every array published after the call, until the subscription ends; an ended subscription
    // is not called again, even by a frame already in flight.
    [[nodiscard]] Subscription subscribe(Subscriber subscriber);

    // The framework's callback for one frame.
    void listen(const MultitouchFrame& frame);

private:
    mutable std::mutex managerMutex_;
    MultitouchManager* framework_;
    std::optional<uint64_t> listener_;
    std::mutex subscribersMutex_;
    std::map<uint64_t, Subscriber> subscribers_;
    uint64_t nextSubscriber_ = 1;
};

} // namespace tessarin
