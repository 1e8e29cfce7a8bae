#include "TessarinCore/SwitchPredictionTable.h"

#include <gtest/gtest.h>

namespace tessarin::bridge {
namespace {

// A reader reads the clock, then loses the table's lock to a switch that records a prediction
// with a later clock. The reader must not take the newer prediction for a stale one, or the
// next switch counts its steps from the live Space.
TEST(SwitchPredictionTableConcurrency, AReaderWhoseClockIsOlderKeepsTheNewerPrediction) {
    SwitchPredictionTable table;
    const TimeInterval readerClock = 1000.0;
    table.record("UUID-A", 3, 13, readerClock + 0.001);

    const auto seen = table.prediction("UUID-A", readerClock);
    const auto nextSwitch = table.prediction("UUID-A", readerClock + 0.002);

    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->targetSpaceID, 13u);
    ASSERT_TRUE(nextSwitch.has_value());
    EXPECT_EQ(nextSwitch->targetIndex, 3u);
}

} // namespace
} // namespace tessarin::bridge
