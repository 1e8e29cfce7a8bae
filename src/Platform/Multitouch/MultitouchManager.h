#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tessarin {

// One contact as the multitouch framework reports it. Positions run 0 to 1 over the trackpad,
// x to the right and y up; `state` is the framework's integer touch state (3 making contact,
// 4 touching, 7 leaving).
struct MultitouchTouch {
    int32_t identifier = 0;
    float posX = 0;
    float posY = 0;
    float total = 0;
    float pressure = 0;
    float majorAxis = 0;
    float minorAxis = 0;
    float angle = 0;
    float density = 0;
    int64_t state = 0;
};

namespace MultitouchTouchState {
inline constexpr int64_t making = 3;
inline constexpr int64_t touching = 4;
inline constexpr int64_t leaving = 7;
} // namespace MultitouchTouchState

struct MultitouchFrame {
    std::vector<MultitouchTouch> touches;
};

using MultitouchListener = std::function<void(const MultitouchFrame&)>;

// The framework's process-wide manager. Listeners are called once per frame, in order, on the
// framework's own thread, started with the first frame; after `removeListener` returns, the
// listener is never called again.
class MultitouchManager {
public:
    MultitouchManager();
    ~MultitouchManager();
    MultitouchManager(const MultitouchManager&) = delete;
    MultitouchManager& operator=(const MultitouchManager&) = delete;

    // Nothing while the framework refuses new listeners.
    std::optional<uint64_t> addListener(MultitouchListener listener);
    bool removeListener(uint64_t listener);
    std::size_t listenerCount() const;
    void setRefusesListeners(bool refuses);

    // Hands a frame to the framework's thread.
    void deliver(MultitouchFrame frame);
    // Returns once every frame handed over so far has reached the listeners.
    void waitUntilDelivered();

private:
    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<MultitouchFrame> frames_;
    bool delivering_ = false;
    bool stopping_ = false;
    bool refuses_ = false;
    std::map<uint64_t, MultitouchListener> listeners_;
    uint64_t nextListener_ = 1;
    // Held while listeners run, so a removal waits for a callback in flight.
    std::mutex callbackMutex_;
    std::thread thread_;
};

} // namespace tessarin
