#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

// Why a combination pressed on the machine's keyboard never reaches the host's hot keys.
enum class HotKeyDeliveryProblem {
    keptByDisplayServer, // the display server acts on it itself (switching video modes, ...)
    heldByAnotherClient, // another program grabbed it first
};

struct HotKeyDeliveryIssue {
    HotKeyDeliveryProblem problem = HotKeyDeliveryProblem::heldByAnotherClient;
    std::string machineKeys;  // the combination as the machine's keyboard types it
    std::string serverAction; // what the display server does with it instead, when it keeps it
    friend bool operator==(const HotKeyDeliveryIssue&, const HotKeyDeliveryIssue&) = default;
};

// Which combinations of the host's hot keys cannot be pressed on the machine the program runs
// on, as the bridge to the machine's keyboard finds out, for the views that show a combination.
// Empty off a desktop that grabs keys: every combination then counts as deliverable.
class HotKeyDelivery {
public:
    using KeptRule =
        std::function<std::optional<HotKeyDeliveryIssue>(uint32_t keyCode, uint32_t modifiers)>;

    // Nothing when the combination (host key code and Carbon mask) can be pressed, or as far as
    // is known. A combination the server keeps is reported before one another client holds.
    std::optional<HotKeyDeliveryIssue> issue(uint32_t keyCode, uint32_t modifiers) const;

    // Which combinations the machine's display server keeps, for any combination.
    void setKeptRule(KeptRule rule);
    // The combinations another client holds now, by host key code and Carbon mask.
    void setHeldElsewhere(std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> held);

    // Told after every change of what `issue` answers, for as long as the returned token is
    // kept (it may outlive the report).
    [[nodiscard]] std::shared_ptr<void> addObserver(std::function<void()> observer);

private:
    void announce() const;

    KeptRule keptRule_;
    std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> heldElsewhere_;
    struct Observer {
        std::weak_ptr<void> token;
        std::function<void()> callback;
    };
    mutable std::vector<Observer> observers_;
};

} // namespace tessarin
