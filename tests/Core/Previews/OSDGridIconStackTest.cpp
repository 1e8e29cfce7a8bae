#include "Core/Previews/OSDGridIconStack.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Square windows, each of its own process, with what their applications say about themselves.
OSDGridIconStackEntries stackOf(const std::vector<OSDGridWindowApplicationInfo>& apps,
                                const std::vector<double>& sides) {
    std::vector<OSDGridWindowRecord> records(apps.size());
    for (std::size_t i = 0; i < apps.size(); ++i) {
        records[i].processIdentifier = static_cast<int32_t>(i);
        records[i].bounds = Rect(0, 0, sides[i], sides[i]);
    }
    OSDGridIconImage::Cache icons;
    return OSDGridIconStack::make(
        records,
        [&](const auto& record) { return std::optional(apps.at(record.processIdentifier)); },
        {"com.tessarin.Tessarin"}, icons);
}

OSDGridWindowApplicationInfo app(std::optional<std::string> bundle, bool hasIcon = true) {
    QImage icon(256, 256, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    return {std::move(bundle), std::nullopt, hasIcon ? std::optional(icon) : std::nullopt};
}

std::vector<std::string> names(const OSDGridIconStackEntries& stack) {
    std::vector<std::string> ids;
    for (const auto& entry : stack) {
        ids.push_back(entry.appDisplayName);
    }
    return ids;
}

TEST(OSDGridIconStackTest, RanksApplicationsByTheirLargestWindow) {
    const auto m = app("many");
    EXPECT_EQ(names(stackOf({m, m, m, app("one")}, {100, 100, 100, 200})),
              (std::vector<std::string>{"one", "many"}))
        << "largest window, not the sum";
    EXPECT_EQ(names(stackOf({app("e"), app("d"), app("b"), app("a"), app("c")},
                            {500, 400, 300, 300, 100})),
              (std::vector<std::string>{"e", "d", "a"}))
        << "three of five; equal areas by identifier";
    EXPECT_EQ(names(stackOf({app(std::nullopt), app(" "), app("com.tessarin.Tessarin"),
                             app("y", false), app(" x ")},
                            {900, 900, 900, 900, 5})),
              std::vector<std::string>{"x"})
        << "unusable windows add nothing; named by the trimmed bundle without any name";
}

} // namespace
} // namespace tessarin
