#pragma once

#include "Hotkeys/Trackpad/TrackpadFrameStream.h"

#include <memory>

namespace tessarin {

class MainQueue;
class OMSManager;

// Where raw frames come from: the multitouch framework, or a fake in tests.
class TrackpadRawInputSource {
public:
    virtual ~TrackpadRawInputSource() = default;
    virtual bool isListening() const = 0;
    virtual bool startListening() = 0;
    virtual void stopListening() = 0;
    // A new stream of every frame after this call: the contacts making or touching, in order.
    virtual std::unique_ptr<TrackpadFrameStream> makeFrameStream() = 0;
};

class OpenMultitouchRawInputSource final : public TrackpadRawInputSource {
public:
    OpenMultitouchRawInputSource(OMSManager& manager, MainQueue& queue)
        : manager_(manager), queue_(queue) {}
    bool isListening() const override;
    bool startListening() override;
    void stopListening() override;
    std::unique_ptr<TrackpadFrameStream> makeFrameStream() override;

private:
    OMSManager& manager_;
    MainQueue& queue_;
};

} // namespace tessarin
