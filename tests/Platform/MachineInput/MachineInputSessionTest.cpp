// Input carried into the host's session that never comes out at the front application, and the
// input the host has no event for that came after it.

#include "Platform/MachineInput/MachineInputSession.h"

#include "Platform/Input/EventSystem.h"
#include "Platform/Input/EventTap.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr uint16_t kKeyA = 0;

// How the host loses the key on its way.
struct UndeliveredCase {
    const char* name;
    std::function<void(EventSystem&, std::shared_ptr<EventTap>&, EventConsumerToken&)> lose;
};

// CTest's listing names the row, not its bytes.
void PrintTo(const UndeliveredCase& row, std::ostream* out) {
    *out << row.name;
}

class UndeliveredInputTest : public ::testing::TestWithParam<UndeliveredCase> {
protected:
    ~UndeliveredInputTest() override {
        if (consumer.value != 0) {
            events.removeConsumer(consumer);
        }
    }
    void typeKey(const std::string& name) {
        session.carry(
            [this](int64_t serial) {
                Event key = Event::keyboard(kKeyA, true);
                key.setIntegerValue(EventField::machineKeySerial, serial);
                events.physical().inject(std::move(key));
            },
            [this, name] { delivered.push_back(name); });
    }
    // A key without a host code, or a plain move: it goes at once unless something waits.
    void typeUnserialised(const std::string& name) {
        if (!session.queueBehindPending([this, name] { delivered.push_back(name); })) {
            delivered.push_back(name);
        }
    }

    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    EventSystem events{queue};
    std::shared_ptr<EventTap> tap;
    EventConsumerToken consumer;
    MachineInputSession session{events};
    std::vector<std::string> delivered;
};

// Nothing the host delivers comes after the lost key, so only the end of its own turn settles it.
TEST_P(UndeliveredInputTest, IsDroppedAndTheInputBehindItStillGoes) {
    GetParam().lose(events, tap, consumer);
    typeKey("lost");
    typeUnserialised("ж");
    typeUnserialised("moved");
    EXPECT_EQ(session.pendingCount(), 3u) << "nothing overtakes the key still on its way";
    queue.runUntilIdle();
    EXPECT_EQ(delivered, (std::vector<std::string>{"ж", "moved"}));
    ASSERT_EQ(session.pendingCount(), 0u);
    typeUnserialised("later");
    EXPECT_EQ(delivered, (std::vector<std::string>{"ж", "moved", "later"}))
        << "with nothing waiting it goes straight on";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, UndeliveredInputTest,
    ::testing::Values(UndeliveredCase{"SwallowedByATap",
                                      [](EventSystem& events, std::shared_ptr<EventTap>& tap,
                                         EventConsumerToken&) {
                                          tap = events.createTap(
                                              eventMaskBit(EventType::keyDown),
                                              [](uint32_t, const Event&) { return std::nullopt; });
                                      }},
                      UndeliveredCase{"TakenByAHotKey",
                                      [](EventSystem& events, std::shared_ptr<EventTap>&,
                                         EventConsumerToken& consumer) {
                                          consumer =
                                              events.addConsumer(EventStage::registeredHotKeys,
                                                                 [](const Event&) { return true; });
                                      }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
