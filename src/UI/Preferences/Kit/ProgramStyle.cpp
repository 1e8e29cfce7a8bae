#include "UI/Preferences/Kit/ProgramStyle.h"

#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

bool isDefaultButton(const QStyleOption* option) {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    return button != nullptr && (button->features & QStyleOptionButton::DefaultButton) &&
           !(button->features & QStyleOptionButton::Flat);
}

QColor defaultTitleColor(bool enabled) {
    const Appearance appearance = L::effectiveAppearance();
    return enabled ? SettingsAccentButton::titleColor(appearance)
                   : SettingsAccentButton::disabledTitleColor(appearance);
}

} // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ProgramStyle::install() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr ||
        qobject_cast<ProgramStyle*>(QApplication::style()) != nullptr) {
        return;
    }
    QApplication::setStyle(new ProgramStyle);
}

QColor ProgramStyle::scrollBarTrackColor() {
    const Appearance appearance = L::effectiveAppearance();
    const QColor window = L::resolvedColor(SettingsSystemColor::windowBackground, appearance);
    return appearance == Appearance::dark ? window.lighter(112) : window.darker(104);
}

// Half way to the label colour: it stands out about 3 : 1 from the track in either appearance.
QColor ProgramStyle::scrollBarThumbColor() {
    const Appearance appearance = L::effectiveAppearance();
    return L::halfway(scrollBarTrackColor(),
                      appearance == Appearance::dark ? QColor(255, 255, 255) : QColor(0, 0, 0));
}

QColor ProgramStyle::sliderTrackColor() {
    return SettingsSwitch::trackColor(false);
}

QColor ProgramStyle::buttonTitleColor(const QPushButton& button) {
    if (button.isDefault() && !button.isFlat() && button.styleSheet().isEmpty() &&
        qobject_cast<const ProgramStyle*>(button.style()) != nullptr) {
        return defaultTitleColor(button.isEnabled());
    }
    return button.palette().color(button.isEnabled() ? QPalette::Active : QPalette::Disabled,
                                  QPalette::ButtonText);
}

QSize ProgramStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& contents, const QWidget* widget) const {
    QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (type == CT_PushButton && button != nullptr && !button->text.isEmpty()) {
        size.setWidth(std::max(size.width(), contents.width() + 2 * buttonTitlePadding));
    }
    return size;
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == CE_PushButtonBevel && isDefaultButton(option)) {
        drawDefaultButtonBevel(option, painter);
        return;
    }
    if (element == CE_PushButtonLabel && isDefaultButton(option)) {
        QStyleOptionButton label = *qstyleoption_cast<const QStyleOptionButton*>(option);
        label.palette.setColor(QPalette::ButtonText, defaultTitleColor(true));
        label.palette.setColor(QPalette::Disabled, QPalette::ButtonText, defaultTitleColor(false));
        QProxyStyle::drawControl(element, &label, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

// The accent bezel: darker while pressed, faded while disabled.
void ProgramStyle::drawDefaultButtonBevel(const QStyleOption* option, QPainter* painter) const {
    QColor bezel = SettingsAccentButton::bezelColor(L::effectiveAppearance());
    if (option->state & (State_Sunken | State_On)) {
        bezel = bezel.darker(125);
    }
    if (!(option->state & State_Enabled)) {
        bezel.setAlphaF(0.45F);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(bezel);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    painter->restore();
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    if (control == CC_ScrollBar) {
        drawScrollBar(option, painter, widget);
        return;
    }
    if (control == CC_Slider) {
        drawSlider(option, painter, widget);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

// A plain track with a rounded thumb; the arrows stay the toolkit's.
void ProgramStyle::drawScrollBar(const QStyleOptionComplex* option, QPainter* painter,
                                 const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (bar == nullptr) {
        QProxyStyle::drawComplexControl(CC_ScrollBar, option, painter, widget);
        return;
    }
    painter->fillRect(bar->rect, scrollBarTrackColor());
    QStyleOptionSlider arrows = *bar;
    arrows.subControls &= SC_ScrollBarAddLine | SC_ScrollBarSubLine;
    if (arrows.subControls != SC_None) {
        QProxyStyle::drawComplexControl(CC_ScrollBar, &arrows, painter, widget);
    }
    if (!(bar->subControls & SC_ScrollBarSlider) || bar->minimum == bar->maximum) {
        return;
    }
    const QRect slider = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, widget);
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QRectF thumb = QRectF(slider).adjusted(horizontal ? 2 : 3, horizontal ? 3 : 2,
                                                 horizontal ? -2 : -3, horizontal ? -3 : -2);
    QColor colour = scrollBarThumbColor();
    if (bar->activeSubControls & SC_ScrollBarSlider && bar->state & State_Sunken) {
        colour =
            L::effectiveAppearance() == Appearance::dark ? colour.lighter(120) : colour.darker(120);
    }
    const qreal radius = std::min(thumb.width(), thumb.height()) / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    painter->drawRoundedRect(thumb, radius, radius);
    painter->restore();
}

// A thin track, filled in the highlight colour up to the knob, and tick marks in the colour of
// the unfilled track, so both show on the cards of either appearance; the knob is the toolkit's.
void ProgramStyle::drawSlider(const QStyleOptionComplex* option, QPainter* painter,
                              const QWidget* widget) const {
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (slider == nullptr || slider->orientation != Qt::Horizontal) {
        QProxyStyle::drawComplexControl(CC_Slider, option, painter, widget);
        return;
    }
    const QRect groove = subControlRect(CC_Slider, slider, SC_SliderGroove, widget);
    const QRect handle = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (slider->subControls & SC_SliderGroove) {
        const QRectF track(groove.left() + 1, groove.center().y() - 1.5, groove.width() - 2, 4);
        painter->setBrush(sliderTrackColor());
        painter->drawRoundedRect(track, 2, 2);
        QRectF filled = track;
        filled.setRight(std::clamp<qreal>(handle.center().x(), track.left(), track.right()));
        painter->setBrush(slider->palette.color(QPalette::Highlight));
        painter->drawRoundedRect(filled, 2, 2);
    }
    if (slider->subControls & SC_SliderTickmarks && slider->tickPosition != QSlider::NoTicks) {
        const int interval =
            slider->tickInterval > 0 ? slider->tickInterval : std::max(slider->pageStep, 1);
        const int length = handle.width();
        const int available = slider->rect.width() - length;
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(sliderTrackColor());
        for (long long value = slider->minimum; value <= slider->maximum; value += interval) {
            const int x =
                slider->rect.left() + length / 2 +
                sliderPositionFromValue(slider->minimum, slider->maximum, static_cast<int>(value),
                                        available, slider->upsideDown);
            if (slider->tickPosition & QSlider::TicksAbove) {
                painter->drawLine(x, slider->rect.top(), x, slider->rect.top() + 3);
            }
            if (slider->tickPosition & QSlider::TicksBelow) {
                painter->drawLine(x, slider->rect.bottom() - 3, x, slider->rect.bottom());
            }
        }
    }
    painter->restore();
    QStyleOptionSlider knob = *slider;
    knob.subControls = slider->subControls & SC_SliderHandle;
    if (knob.subControls != SC_None) {
        QProxyStyle::drawComplexControl(CC_Slider, &knob, painter, widget);
    }
}

} // namespace tessarin
