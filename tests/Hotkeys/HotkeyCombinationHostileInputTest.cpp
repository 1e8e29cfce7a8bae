#include "Hotkeys/HotkeyCombination.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(HotkeyCombinationHostileInputTest, StoredBytesThatCannotBeReadAreNoCombination) {
    const std::string fields = R"("modifiers": 256, "displayKey": "1", "keyEquivalent": "1")";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"key code above the double range", "{\"keyCode\": 1e400, " + fields + "}"},
        {"key code below the double range", "{\"keyCode\": -1e400, " + fields + "}"},
        {"key code past 64 bits", "{\"keyCode\": 18446744073709551616, " + fields + "}"},
        {"nested 5000 deep", std::string(5000, '[') + std::string(5000, ']')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(HotkeyCombination::decode(bytes(c.text)));
    }
}

} // namespace
} // namespace tessarin
