#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace tessarin {

// The keys typed and the mouse buttons pressed on the machine, in the order they came, while the
// host decides which of them the program's windows get. Input the host carries (it has a serial
// number) is delivered once the host hands it on to the front application, or dropped when its
// turn passed without that (a tap swallowed it, a hot key took it). Input the host has no event
// for is delivered as soon as everything before it is settled, so nothing overtakes anything.
// Re-entrant: a delivery may open a nested event loop that settles later input.
class InputDeliveryOrder {
public:
    using Delivery = std::function<void()>;

    // Whether nothing waits, so unserialised input may go at once.
    bool empty() const { return pending_.empty(); }
    // Queues input; `serial` is the host event's number, none for input the host never sees.
    void add(std::optional<int64_t> serial, Delivery deliver);
    // The host event `serial` reached the front application (`reached`) or its turn ended
    // without that. Input that came before it is settled too: a serialised one that never
    // reached the application is dropped.
    void settle(int64_t serial, bool reached);

    std::size_t pendingCount() const { return pending_.size(); }

private:
    struct Entry {
        std::optional<int64_t> serial;
        Delivery deliver;
    };
    bool contains(int64_t serial) const;
    void deliverFrontWhileUnserialised();

    std::deque<Entry> pending_;
};

} // namespace tessarin
