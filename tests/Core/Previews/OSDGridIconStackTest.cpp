#include "Core/Previews/OSDGridIconStack.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// One window of a Space with what its application says about itself.
struct Window {
    std::optional<std::string> bundle;
    double side = 0;
    std::optional<std::string> name = std::nullopt;
    std::string owner = "Owner";
    bool hasIcon = true;
};

OSDGridIconStackEntries stackOf(const std::vector<Window>& windows) {
    std::vector<OSDGridWindowRecord> records;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        OSDGridWindowRecord record;
        record.processIdentifier = static_cast<int32_t>(i);
        record.ownerName = windows[i].owner;
        record.bounds = Rect(0, 0, windows[i].side, windows[i].side);
        records.push_back(record);
    }
    QImage icon(256, 256, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    const auto info = [&](const OSDGridWindowRecord& record) {
        const Window& window = windows.at(static_cast<std::size_t>(record.processIdentifier));
        return std::optional(OSDGridWindowApplicationInfo{
            window.bundle, window.name, window.hasIcon ? std::optional(icon) : std::nullopt});
    };
    OSDGridIconImage::Cache icons;
    return OSDGridIconStack::make(records, info, {"com.tessarin.Tessarin"}, icons);
}

std::vector<std::string> bundles(const OSDGridIconStackEntries& stack) {
    std::vector<std::string> ids;
    for (const auto& entry : stack) {
        ids.push_back(entry.bundleIdentifier);
    }
    return ids;
}

TEST(OSDGridIconStackTest, RanksApplicationsByTheirLargestWindow) {
    struct Case {
        const char* name;
        std::vector<Window> windows;
        std::vector<std::string> stack;
    };
    const Case cases[] = {
        {"largest window, not the sum",
         {{"many", 100}, {"many", 100}, {"many", 100}, {"one", 200}},
         {"one", "many"}},
        {"three of five; equal areas by identifier",
         {{"e", 500}, {"d", 400}, {"b", 300}, {"a", 300}, {"c", 100}},
         {"e", "d", "a"}},
        {"unusable windows add nothing",
         {{std::nullopt, 900},
          {" ", 900},
          {"com.tessarin.Tessarin", 900},
          {"y", 900, std::nullopt, "Owner", false},
          {"x", 5}},
         {"x"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bundles(stackOf(c.windows)), c.stack) << c.name;
    }
}

TEST(OSDGridIconStackTest, AnIconWithoutAnyNameIsNamedByItsTrimmedBundle) {
    const auto named = stackOf({{" b.id ", 10, std::nullopt, "  "}});
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0].bundleIdentifier, "b.id");
    EXPECT_EQ(named[0].appDisplayName, "b.id");
    EXPECT_EQ(named[0].icon.size(), QSize(128, 128));
}

} // namespace
} // namespace tessarin
