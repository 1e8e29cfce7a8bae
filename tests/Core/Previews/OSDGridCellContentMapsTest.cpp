#include "Core/Previews/OSDGridCellContentMaps.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Stand-ins of the window-Space caches with the members the maps read.
struct Source {
    std::optional<std::string> appDisplayName;
    std::optional<std::string> windowTitle;
};
struct SpaceEntry {
    Source source;
    std::vector<std::string> previewCandidates; // application names
    OSDGridIconStackEntries iconStack;
};
struct SpaceCache {
    std::map<SpaceID, SpaceEntry> entries;
};
struct PreviewEntry {
    OSDGridScreenshotEntry screenshot;
};
struct PreviewCache {
    std::map<SpaceID, PreviewEntry> entries;
};

std::vector<std::string> filterCandidates(std::vector<std::string> names,
                                          const OSDAppFilter& filter) {
    std::erase_if(names, [&](const std::string& name) { return filter.matchesCandidate(name); });
    return names;
}

QImage icon(QColor colour) {
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

std::vector<std::string> bundles(const OSDGridIconStackEntries& stack) {
    std::vector<std::string> ids;
    for (const auto& entry : stack) {
        ids.push_back(entry.bundleIdentifier);
    }
    return ids;
}

OSDGridAppIconEntry appIcon(std::string bundle, std::string name) {
    return {std::move(bundle), std::move(name), icon(Qt::blue)};
}

TEST(OSDGridCellContentMapsTest, IconStackMapKeepsCellsWithTwoUnfilteredIcons) {
    std::map<std::string, SpaceCache> caches;
    caches["D"].entries[10].iconStack = {appIcon("a", "Alpha"), appIcon("b", "Beta")};
    caches["D"].entries[20].iconStack = {appIcon("c", "Gamma")};
    caches["D"].entries[30].iconStack = {appIcon("d", "Delta"), appIcon("e", "Epsilon")};

    const auto unfiltered = iconStackMap(caches, "D", {0, 10, 20, 30}, OSDAppFilter());
    EXPECT_EQ(unfiltered.size(), 2u);
    EXPECT_TRUE(unfiltered.contains(1) && unfiltered.contains(3));

    const auto filtered = iconStackMap(caches, "D", {10, 30}, OSDAppFilter({"eps"}));
    ASSERT_EQ(filtered.size(), 1u);
    EXPECT_EQ(bundles(filtered.at(0)), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(iconStackMap(caches, "", {10}, OSDAppFilter()).empty());
    EXPECT_TRUE(iconStackMap(caches, "E", {10}, OSDAppFilter()).empty());
}

TEST(OSDGridCellContentMapsTest, PreviewMapReadsTheScreensPreviewsByCell) {
    std::map<std::string, PreviewCache> caches;
    caches["S"].entries[10].screenshot.image = icon(Qt::green);
    const auto map = previewMap(caches, "S", {0, 10, 20});
    EXPECT_TRUE(map.size() == 1 && map.contains(1));
    EXPECT_TRUE(previewMap(caches, "S", {0, 0}).empty());
}

TEST(OSDGridCellContentMapsTest, PruningDropsMatchedSpacesAndFiltersTheRest) {
    std::map<std::string, SpaceCache> caches;
    caches["D"].entries[10] = {
        {"Mail", std::nullopt}, {"Mail", "Chat"}, {appIcon("m", "Mail"), appIcon("c", "Chat")}};
    caches["D"].entries[20] = {{"Notes", std::nullopt}, {"Notes"}, {}};
    caches["E"].entries[30] = {{"Finder", "Secret chat plans"}, {}, {}};

    EXPECT_FALSE(pruneFilteredEntries(caches, OSDAppFilter(), filterCandidates));
    EXPECT_FALSE(pruneFilteredEntries(caches, OSDAppFilter({"nothing"}), filterCandidates));
    EXPECT_TRUE(pruneFilteredEntries(caches, OSDAppFilter({"chat"}), filterCandidates));

    EXPECT_FALSE(caches.contains("E"));
    ASSERT_TRUE(caches.contains("D"));
    const auto& mail = caches["D"].entries.at(10);
    EXPECT_EQ(mail.previewCandidates, (std::vector<std::string>{"Mail"}));
    EXPECT_EQ(bundles(mail.iconStack), (std::vector<std::string>{"m"}));
    EXPECT_TRUE(caches["D"].entries.contains(20));
}

TEST(OSDGridImageEqualityTest, ComparesPixelsAcrossFormats) {
    const QImage argb = icon(Qt::red);
    EXPECT_EQ(OSDGridScreenshotEntry{argb},
              OSDGridScreenshotEntry{argb.convertToFormat(QImage::Format_RGBA8888)});
    EXPECT_FALSE(OSDGridScreenshotEntry{argb} == OSDGridScreenshotEntry{icon(Qt::blue)});
    EXPECT_FALSE(OSDGridScreenshotEntry{argb} == OSDGridScreenshotEntry{});
}

} // namespace
} // namespace tessarin
