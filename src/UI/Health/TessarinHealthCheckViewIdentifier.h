#pragma once

#include "Model/Health/TessarinHealthCheckIdentifier.h"

#include <QString>

namespace tessarin {

// The object names of the health page's views, which tests and accessibility find them by.
namespace TessarinHealthCheckViewIdentifier {
inline const QString stepSectionTitle = QStringLiteral("health.section.step.title");
inline const QString stepHero = QStringLiteral("health.step.hero");
inline const QString stepIllustration = QStringLiteral("health.step.illustration");
inline const QString stepButtonStack = QStringLiteral("health.step.buttons");
inline const QString stepTitle = QStringLiteral("health.step.title");
inline const QString stepDetail = QStringLiteral("health.step.detail");
inline const QString allSetHero = QStringLiteral("health.allSet.hero");
inline const QString allSetIcon = QStringLiteral("health.allSet.icon");
inline const QString allSetTitle = QStringLiteral("health.allSet.title");
inline const QString allSetDetail = QStringLiteral("health.allSet.detail");
inline const QString skippedRecommendationsDetail = QStringLiteral("health.allSet.skipped.detail");
inline const QString settingsButton = QStringLiteral("health.control.settings");
inline const QString practiceKeyboardCard = QStringLiteral("health.practice.keyboardCard");
inline const QString practiceMissionControlPresetDetail =
    QStringLiteral("health.practice.missionControlPreset.detail");
inline const QString practiceSkipButton = QStringLiteral("health.practice.skip");

inline QString numbered(const char* prefix, TessarinHealthCheckIdentifier identifier) {
    return QString::fromLatin1(prefix) + QString::number(static_cast<int>(identifier));
}
inline QString status(TessarinHealthCheckIdentifier identifier) {
    return numbered("health.status.", identifier);
}
inline QString action(TessarinHealthCheckIdentifier identifier) {
    return numbered("health.action.", identifier);
}
inline QString skip(TessarinHealthCheckIdentifier identifier) {
    return numbered("health.skip.", identifier);
}
} // namespace TessarinHealthCheckViewIdentifier

} // namespace tessarin
