#include "Core/Previews/OSDGridIconStackEntries.h"

#include "Support/Text.h"

#include <QPainter>
#include <algorithm>
#include <map>

namespace tessarin {

namespace {

struct Candidate {
    OSDGridAppIconEntry entry;
    double area = 0;
};

QImage stackIcon(const QImage& icon) {
    QImage image(kIconStackIconSide, kIconStackIconSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(0, 0, kIconStackIconSide, kIconStackIconSide), icon);
    return image;
}

std::string displayName(const OSDGridIconStackWindow& window, const std::string& bundle) {
    if (window.appDisplayName) {
        if (auto name = trimmingWhitespaceAndNewlines(*window.appDisplayName); !name.empty()) {
            return name;
        }
    }
    if (auto owner = trimmingWhitespaceAndNewlines(window.ownerName); !owner.empty()) {
        return owner;
    }
    return bundle;
}

} // namespace

OSDGridIconStackEntries makeIconStack(const std::vector<OSDGridIconStackWindow>& windows,
                               const std::set<std::string>& ignoredBundleIdentifiers) {
    std::map<std::string, Candidate> byBundle;
    for (const auto& window : windows) {
        const auto bundle = trimmingWhitespaceAndNewlines(window.bundleIdentifier.value_or(""));
        if (bundle.empty() || ignoredBundleIdentifiers.contains(bundle) || !window.icon) {
            continue;
        }
        const double area =
            std::abs(window.bounds.size.width) * std::abs(window.bounds.size.height);
        auto found = byBundle.find(bundle);
        if (found != byBundle.end() && found->second.area >= area) {
            continue;
        }
        byBundle.insert_or_assign(
            bundle,
            Candidate{{bundle, displayName(window, bundle), stackIcon(*window.icon)}, area});
    }
    std::vector<Candidate> ranked;
    for (auto& [bundle, candidate] : byBundle) {
        ranked.push_back(std::move(candidate));
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Candidate& a, const Candidate& b) {
        return a.area != b.area ? a.area > b.area
                                : a.entry.bundleIdentifier < b.entry.bundleIdentifier;
    });
    OSDGridIconStackEntries stack;
    for (std::size_t i = 0; i < std::min(ranked.size(), kMaximumIconStackCount); ++i) {
        stack.push_back(std::move(ranked[i].entry));
    }
    return stack;
}

OSDGridIconStackEntries filteredIconStack(const OSDGridIconStackEntries& stack, const OSDAppFilter& filter) {
    if (filter.entries.empty()) {
        return stack;
    }
    OSDGridIconStackEntries kept;
    std::copy_if(stack.begin(), stack.end(), std::back_inserter(kept),
                 [&](const OSDGridAppIconEntry& entry) {
                     return !filter.matchesCandidate(entry.appDisplayName);
                 });
    return kept;
}

} // namespace tessarin
