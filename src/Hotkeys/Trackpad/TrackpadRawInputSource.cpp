#include "Hotkeys/Trackpad/TrackpadRawInputSource.h"

#include "OpenMultitouchSupport/OMSManager.h"

namespace tessarin {

bool OpenMultitouchRawInputSource::isListening() const {
    return manager_.isListening();
}

bool OpenMultitouchRawInputSource::startListening() {
    return manager_.startListening();
}

void OpenMultitouchRawInputSource::stopListening() {
    manager_.stopListening();
}

std::unique_ptr<TrackpadFrameStream> OpenMultitouchRawInputSource::makeFrameStream() {
    auto stream = std::make_unique<TrackpadFrameStream>(queue_);
    auto subscription = std::make_shared<Subscription>(
        manager_.subscribe([feed = stream.get()](const std::vector<OMSTouchData>& touches) {
            TrackpadFrameStream::Frame frame;
            frame.reserve(touches.size());
            for (const OMSTouchData& touch : touches) {
                if (touch.state == OMSState::making || touch.state == OMSState::touching) {
                    frame.push_back({touch.id, touch.position.x, touch.position.y});
                }
            }
            feed->yield(std::move(frame));
        }));
    // Ending the subscription waits for a frame in flight, so `feed` never dangles.
    stream->setOnTermination([subscription] { subscription->cancel(); });
    return stream;
}

} // namespace tessarin
