#include "UI/Preferences/Kit/SettingsSliderControl.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <algorithm>
#include <cmath>

namespace tessarin {

namespace L = SettingsPageLayout;

SettingsSliderControl::SettingsSliderControl(int minimumValue, int maximumValue, int step,
                                             Formatter formatter, QWidget* parent)
    : QWidget(parent), minimumValue_(minimumValue), maximumValue_(maximumValue),
      step_(std::max(step, 1)), formatter_(std::move(formatter)),
      slider_(new QSlider(Qt::Horizontal, this)),
      valueLabel_(L::makeLabel(QString(), L::rowTitleFont())),
      appearanceObserver_([this] { applyLabelColor(); }) {
    slider_->setRange(minimumValue_, maximumValue_);
    slider_->setTracking(true);
    slider_->setSingleStep(1);
    slider_->setTickInterval(step_);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setFixedWidth(L::sliderTrackWidth);
    // The filled part of the track takes the accent colour, as an on switch does, faded when
    // the slider is disabled.
    QPalette palette;
    const QColor accent = SettingsSwitch::trackColor(true);
    QColor faded = accent;
    faded.setAlphaF(SettingsSwitch::disabledOpacity);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, faded);
    slider_->setPalette(palette);
    slider_->installEventFilter(this);
    valueLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // At least the read-out width; larger fonts widen it rather than cut the value.
    valueLabel_->setMinimumWidth(L::sliderLabelWidth);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(L::sliderLabelGap);
    layout->addWidget(slider_, 0, Qt::AlignVCenter);
    layout->addWidget(valueLabel_, 0, Qt::AlignVCenter);
    applyLabelColor();
    setValue(minimumValue_);
}

int SettingsSliderControl::normalizedValue(int value) const {
    const double steps = std::round((static_cast<double>(value) - minimumValue_) / step_);
    const long long snapped = minimumValue_ + static_cast<long long>(steps) * step_;
    return static_cast<int>(std::clamp<long long>(snapped, minimumValue_, maximumValue_));
}

int SettingsSliderControl::value() const {
    return normalizedValue(slider_->value());
}

void SettingsSliderControl::setValue(int value) {
    const int snapped = normalizedValue(value);
    const QSignalBlocker blocker(slider_);
    slider_->setValue(snapped);
    valueLabel_->setText(formatter_ ? formatter_(snapped) : QString::number(snapped));
}

void SettingsSliderControl::applySettingsEnabledState(bool enabled) {
    enabled_ = enabled;
    slider_->setEnabled(enabled);
    // The read-out of a disabled slider is inactive too.
    valueLabel_->setEnabled(enabled);
    applyLabelColor();
}

bool SettingsSliderControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == slider_ && event->type() == QEvent::EnabledChange) {
        applyTrackFade();
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsSliderControl::applyTrackFade() {
    if (slider_->isEnabled()) {
        slider_->setGraphicsEffect(nullptr);
        return;
    }
    auto* fade = new QGraphicsOpacityEffect(slider_);
    // A thin track keeps a little more than a switch does, or it would vanish.
    fade->setOpacity(0.66);
    slider_->setGraphicsEffect(fade);
}

void SettingsSliderControl::applyLabelColor() {
    const Appearance appearance = L::effectiveAppearance();
    L::setTextColor(*valueLabel_,
                    L::resolvedColor(enabled_ ? SettingsSystemColor::secondaryLabel
                                              : SettingsSystemColor::disabledControlText,
                                     appearance));
}

} // namespace tessarin
