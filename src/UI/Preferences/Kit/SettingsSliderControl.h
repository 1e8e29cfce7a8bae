#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "UI/Preferences/Kit/SettingsControlEnabling.h"

#include <QWidget>
#include <functional>

class QLabel;
class QSlider;

namespace tessarin {

// A slider with a read-out on its right. Values snap to `minimumValue` plus a whole number of
// steps, in code (the slider itself moves freely); the page reads the value in its change
// handler and sets it back, so the knob jumps to the snapped position and the read-out follows.
class SettingsSliderControl final : public QWidget, public SettingsControlEnabling {
    Q_OBJECT

public:
    using Formatter = std::function<QString(int)>;

    // A step below 1 is taken as 1. The maximum is not below the minimum.
    SettingsSliderControl(int minimumValue, int maximumValue, int step, Formatter formatter,
                          QWidget* parent = nullptr);

    // The knob's position, snapped.
    int value() const;
    // Snaps `value`, moves the knob there and shows it in the read-out.
    void setValue(int value);
    // minimum + round((v - minimum) / step) * step, halves away from zero, kept within bounds.
    int normalizedValue(int value) const;

    void applySettingsEnabledState(bool enabled) override;

    QSlider* slider() const { return slider_; }
    QLabel* valueLabel() const { return valueLabel_; }
    int step() const { return step_; }
    int minimumValue() const { return minimumValue_; }
    int maximumValue() const { return maximumValue_; }

protected:
    // A disabled track fades into its card, as a disabled switch does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLabelColor();
    void applyTrackFade();

    int minimumValue_;
    int maximumValue_;
    int step_;
    Formatter formatter_;
    QSlider* slider_;
    QLabel* valueLabel_;
    bool enabled_ = true;
    // The read-out's colour is fixed per appearance, so it is set again when that changes.
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
