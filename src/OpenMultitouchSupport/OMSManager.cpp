#include "OpenMultitouchSupport/OMSManager.h"

#include "Platform/Host.h"
#include "Platform/Multitouch/MultitouchManager.h"

#include <chrono>
#include <cmath>

namespace tessarin {

namespace {

double wallClockSeconds() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

} // namespace

OMSManager::OMSManager(MultitouchManager* framework) : framework_(framework) {}

OMSManager::~OMSManager() {
    stopListening();
}

OMSManager& OMSManager::shared() {
    return Host::current().sharedInstance<OMSManager>(
        [](Host& host) { return std::make_shared<OMSManager>(host.multitouch()); });
}

bool OMSManager::isListening() const {
    std::lock_guard lock(managerMutex_);
    return listener_.has_value();
}

bool OMSManager::startListening() {
    std::lock_guard lock(managerMutex_);
    if (!framework_ || listener_) {
        return false;
    }
    listener_ = framework_->addListener([this](const MultitouchFrame& frame) { listen(frame); });
    return listener_.has_value();
}

bool OMSManager::stopListening() {
    std::lock_guard lock(managerMutex_);
    if (!framework_ || !listener_) {
        return false;
    }
    framework_->removeListener(*listener_);
    listener_.reset();
    return true;
}

Subscription OMSManager::subscribe(Subscriber subscriber) {
    std::lock_guard lock(subscribersMutex_);
    const uint64_t token = nextSubscriber_++;
    subscribers_.emplace(token, std::move(subscriber));
    return Subscription([this, token] {
        std::lock_guard lock(subscribersMutex_);
        subscribers_.erase(token);
    });
}

void OMSManager::listen(const MultitouchFrame& frame) {
    const std::string timestamp = omsTimestamp(wallClockSeconds());
    std::vector<OMSTouchData> touches;
    touches.reserve(frame.touches.size());
    for (const MultitouchTouch& touch : frame.touches) {
        const auto state = omsStateFromFrameworkValue(touch.state);
        if (!state || !std::isfinite(touch.posX) || !std::isfinite(touch.posY)) {
            continue;
        }
        touches.push_back(OMSTouchData{touch.identifier,
                                       {touch.posX, touch.posY},
                                       touch.total,
                                       touch.pressure,
                                       {touch.majorAxis, touch.minorAxis},
                                       touch.angle,
                                       touch.density,
                                       *state,
                                       timestamp});
    }
    // Held while delivering, so an ended subscription is never called afterwards.
    std::lock_guard lock(subscribersMutex_);
    for (auto& [token, subscriber] : subscribers_) {
        subscriber(touches);
    }
}

} // namespace tessarin
