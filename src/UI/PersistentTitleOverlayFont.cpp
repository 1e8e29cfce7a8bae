#include "UI/PersistentTitleOverlayFont.h"

#include "Core/PersistedSetting.h"
#include "Support/Text.h"

#include <QCollator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <set>

namespace tessarin {

PersistentTitleOverlayFont::PersistentTitleOverlayFont(std::string_view family,
                                                       std::int64_t pointSize)
    : family(normalizedFamily(family)), pointSize(clampedPointSize(pointSize)) {}

std::string PersistentTitleOverlayFont::normalizedFamily(std::string_view family) {
    std::string trimmed = trimmingWhitespaceAndNewlines(family);
    if (trimmed.empty() || lowercased(trimmed) == systemFamily)
        return systemFamily;
    return trimmed;
}

std::int64_t PersistentTitleOverlayFont::clampedPointSize(std::int64_t pointSize) {
    return std::clamp(pointSize, minimumPointSize, maximumPointSize);
}

std::int64_t PersistentTitleOverlayFont::pointSizeForLegacySize(std::string_view name) {
    if (name == "small")
        return 12;
    if (name == "large")
        return 24;
    return defaultPointSize;
}

std::int64_t PersistentTitleOverlayFont::persistedPointSize(const UserDefaults& defaults) {
    if (auto stored = defaults.object(pointSizeKey))
        return clampedPointSize(integerValueAsPlatformReads(*stored));
    if (auto legacy = defaults.stringValue(legacySizeKey))
        return pointSizeForLegacySize(*legacy);
    return defaultPointSize;
}

std::vector<std::string> PersistentTitleOverlayFont::availableFamilies() {
    std::vector<std::string> installed;
    // The font database needs the application object; without one only the system font is
    // offered.
    if (QGuiApplication::instance() != nullptr) {
        for (const QString& name : QFontDatabase::families())
            installed.push_back(name.toStdString());
    }
    return availableFamilies(installed);
}

std::vector<std::string>
PersistentTitleOverlayFont::availableFamilies(const std::vector<std::string>& installed) {
    std::vector<QString> families;
    std::set<std::string> seen;
    for (const std::string& name : installed) {
        const std::string normalized = normalizedFamily(name);
        if (normalized == systemFamily || !seen.insert(normalized).second)
            continue;
        families.push_back(QString::fromStdString(normalized));
    }
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(families.begin(), families.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    std::vector<std::string> result{systemFamily};
    for (const QString& name : families)
        result.push_back(name.toStdString());
    return result;
}

} // namespace tessarin
