#include "Model/Settings/PersistentTitleOverlayFont.h"

#include "Model/Settings/PersistedSetting.h"
#include "Support/Text.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <set>

namespace tessarin {

namespace {

// Orders names the way people expect in a font list: letters without regard to case, and runs of
// digits by their number ("Courier 9" before "Courier 10"); ties keep their order.
bool precedesForPeople(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype iEnd = i;
            qsizetype jEnd = j;
            while (iEnd < a.size() && a[iEnd].isDigit())
                ++iEnd;
            while (jEnd < b.size() && b[jEnd].isDigit())
                ++jEnd;
            const QString left = a.mid(i, iEnd - i).remove(QRegularExpression("^0+"));
            const QString right = b.mid(j, jEnd - j).remove(QRegularExpression("^0+"));
            if (left.size() != right.size())
                return left.size() < right.size();
            if (const int order = left.compare(right); order != 0)
                return order < 0;
            i = iEnd;
            j = jEnd;
            continue;
        }
        const QString left = a[i].toCaseFolded();
        const QString right = b[j].toCaseFolded();
        if (const int order = left.compare(right); order != 0)
            return order < 0;
        ++i;
        ++j;
    }
    return (a.size() - i) < (b.size() - j);
}

} // namespace

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
    std::stable_sort(families.begin(), families.end(), precedesForPeople);
    std::vector<std::string> result{systemFamily};
    for (const QString& name : families)
        result.push_back(name.toStdString());
    return result;
}

} // namespace tessarin
