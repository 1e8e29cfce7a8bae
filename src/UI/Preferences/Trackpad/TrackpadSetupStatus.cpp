#include "UI/Preferences/Trackpad/TrackpadSetupStatus.h"

#include <QStringList>

namespace tessarin {

namespace {

bool threeFingerDragInTheWay(const TrackpadSetupInputs& inputs) {
    return inputs.fingerCount == TrackpadNavigationFingerCount::three &&
           !inputs.system.threeFingerDragAvailable;
}

bool tapTaken(const TrackpadSetupInputs& inputs) {
    return inputs.mode == TrackpadSpaceSwitchMode::afterTap &&
           !inputs.system.threeFingerTapAvailable;
}

} // namespace

bool isTrackpadReady(const TrackpadSetupInputs& inputs) {
    return inputs.rawInput == TrackpadRawInputState::available &&
           !threeFingerDragInTheWay(inputs) && !tapTaken(inputs);
}

QString systemGestureRequirementHelpText(const TrackpadSetupInputs& inputs) {
    const bool available = inputs.rawInput == TrackpadRawInputState::available;
    QStringList sentences;
    if (!available) {
        sentences << QStringLiteral("Raw trackpad input is unavailable.");
    }
    if (threeFingerDragInTheWay(inputs)) {
        sentences << QStringLiteral("Three-finger drag is enabled in Accessibility.");
    }
    if (tapTaken(inputs)) {
        sentences << QStringLiteral("Three-finger tap is assigned to Look Up.");
    }
    if (available && !threeFingerDragInTheWay(inputs) && !tapTaken(inputs)) {
        sentences << QStringLiteral("Raw trackpad input is ready for Tessarin navigation.");
    }
    if (threeFingerDragInTheWay(inputs)) {
        sentences << QStringLiteral(
            "Turn off three-finger drag in Accessibility > Pointer Control > Trackpad Options.");
    }
    if (inputs.mode == TrackpadSpaceSwitchMode::afterTap) {
        sentences << QStringLiteral("Set Look up & data detectors to Force Click with One Finger "
                                    "so macOS does not also handle the tap.");
    }
    return sentences.join(QLatin1Char(' '));
}

QString switchDelayText(int milliseconds) {
    const double seconds = milliseconds / 1000.0;
    return QString::asprintf(milliseconds % 100 == 0 ? "%.1f s" : "%.2f s", seconds);
}

} // namespace tessarin
