#include "Visual/ControlPartsCheck.h"

#include "Visual/VisualCheck.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cmath>
#include <cstdio>

namespace tessarin::visual {

namespace {

std::string nameOf(const QWidget& widget) {
    if (!widget.objectName().isEmpty()) {
        return widget.objectName().toStdString();
    }
    std::string name = widget.metaObject()->className();
    if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        name += " \"" + button->text().toStdString() + "\"";
    }
    return name;
}

std::string format(const char* pattern, double a, double b) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// Wholly in view in the window: not cut by a scrolled view or a hidden ancestor.
std::optional<QRect> wholeInWindow(const QWidget& widget, const QWidget& window) {
    if (&widget != &window && !widget.isVisibleTo(&window)) {
        return std::nullopt;
    }
    const QRect inWindow(widget.mapTo(&window, QPoint()), widget.size());
    QRect visible = inWindow;
    for (const QWidget* ancestor = widget.parentWidget(); ancestor && ancestor != &window;
         ancestor = ancestor->parentWidget()) {
        visible &= QRect(ancestor->mapTo(&window, QPoint()), ancestor->size());
    }
    if (visible != inWindow || !window.rect().contains(inWindow)) {
        return std::nullopt;
    }
    return inWindow;
}

int titleWidth(const QPushButton& button) {
    QString title = button.text();
    title.remove(QLatin1Char('&'));
    int width = button.fontMetrics().horizontalAdvance(title);
    if (!button.icon().isNull()) {
        width += button.iconSize().width() + 4;
    }
    return width;
}

void checkButtonTitleRoom(const QPushButton& button, std::vector<std::string>& faults) {
    if (button.text().isEmpty() || button.isFlat()) {
        return;
    }
    const int room = (button.width() - titleWidth(button)) / 2;
    if (room < buttonTitleRoom) {
        faults.push_back(nameOf(button) +
                         format(": its title comes within %.0f px of its edges, needs %.0f", room,
                                buttonTitleRoom));
    }
}

double colourDistance(const QColor& a, const QColor& b) {
    const double red = a.red() - b.red();
    const double green = a.green() - b.green();
    const double blue = a.blue() - b.blue();
    return std::sqrt(red * red + green * green + blue * blue);
}

// Each default button's bezel against every other push button of the window.
void checkDefaultButtons(const std::vector<std::pair<const QPushButton*, QRect>>& buttons,
                         const QImage& picture, std::vector<std::string>& faults) {
    for (const auto& [button, area] : buttons) {
        if (!button->isDefault() || !button->isEnabled()) {
            continue;
        }
        const QColor bezel = dominantColour(picture, area);
        for (const auto& [other, otherArea] : buttons) {
            if (other->isDefault() || !other->isEnabled()) {
                continue;
            }
            const double distance = colourDistance(bezel, dominantColour(picture, otherArea));
            if (distance < defaultButtonColourDistance) {
                faults.push_back(nameOf(*button) + " is not told apart from " + nameOf(*other) +
                                 format(" as the default (colours %.0f apart, needs %.0f)",
                                        distance, defaultButtonColourDistance));
            }
        }
    }
}

QStyleOptionSlider optionOf(const QAbstractSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.singleStep = slider.singleStep();
    option.pageStep = slider.pageStep();
    option.upsideDown = slider.invertedAppearance() != (slider.orientation() == Qt::Vertical &&
                                                        qobject_cast<const QScrollBar*>(&slider));
    if (const auto* bar = qobject_cast<const QScrollBar*>(&slider)) {
        option.upsideDown =
            bar->orientation() == Qt::Horizontal
                ? bar->invertedAppearance() != (bar->layoutDirection() == Qt::RightToLeft)
                : bar->invertedAppearance();
    }
    if (const auto* plain = qobject_cast<const QSlider*>(&slider)) {
        option.tickPosition = plain->tickPosition();
        option.tickInterval = plain->tickInterval();
        option.upsideDown =
            plain->orientation() == Qt::Horizontal
                ? plain->invertedAppearance() != (plain->layoutDirection() == Qt::RightToLeft)
                : !plain->invertedAppearance();
    }
    return option;
}

// The thumb against the longer stretch of track beside it.
void checkScrollBar(const QScrollBar& bar, const QRect& inWindow, const QImage& picture,
                    std::vector<std::string>& faults) {
    if (bar.maximum() <= bar.minimum()) {
        return;
    }
    const QStyleOptionSlider option = optionOf(bar);
    const QRect groove = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarGroove, &bar);
    const QRect thumb = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarSlider, &bar);
    const bool vertical = bar.orientation() == Qt::Vertical;
    QRect before = groove;
    QRect after = groove;
    if (vertical) {
        before.setBottom(thumb.top() - 1);
        after.setTop(thumb.bottom() + 1);
    } else {
        before.setRight(thumb.left() - 1);
        after.setLeft(thumb.right() + 1);
    }
    const QRect track =
        (vertical ? before.height() >= after.height() : before.width() >= after.width()) ? before
                                                                                         : after;
    if (track.width() < 4 || track.height() < 4) {
        return;
    }
    const QPoint origin = inWindow.topLeft();
    const QColor trackColour = dominantColour(picture, track.translated(origin));
    const QRect part = thumb.translated(origin);
    const double shown = inkOf(picture.copy(part), trackColour, (part.width() * part.height()) / 4);
    if (shown < thumbContrast) {
        faults.push_back(nameOf(bar) +
                         format(": its thumb stands out %.2f:1 from its track, "
                                "needs %.1f:1",
                                shown, thumbContrast) +
                         " (on " + trackColour.name().toStdString() + ")");
    }
}

// A horizontal slider's track right of its knob and the band of its tick marks below it.
void checkSlider(const QSlider& slider, const QRect& inWindow, const QImage& picture,
                 std::vector<std::string>& faults) {
    if (slider.orientation() != Qt::Horizontal) {
        return;
    }
    const QStyleOptionSlider option = optionOf(slider);
    const QRect groove = slider.style()->subControlRect(QStyle::CC_Slider, &option,
                                                        QStyle::SC_SliderGroove, &slider);
    const QRect knob = slider.style()->subControlRect(QStyle::CC_Slider, &option,
                                                      QStyle::SC_SliderHandle, &slider);
    const QColor card = surroundingColour(picture, inWindow, 4);
    const double needed = slider.isEnabled() ? sliderPartContrast : disabledSliderPartContrast;
    const auto check = [&](const char* what, const QRect& area, int enough) {
        if (area.width() < 4 || area.height() < 1) {
            return;
        }
        const double shown = inkOf(picture.copy(area.translated(inWindow.topLeft())), card, enough);
        if (shown < needed) {
            faults.push_back(
                nameOf(slider) + (slider.isEnabled() ? ": " : ", disabled: ") + what +
                format(" stands out %.2f:1 from the card, needs %.1f:1", shown, needed));
        }
    };
    const QRect unfilled(knob.right() + 1, groove.top(), groove.right() - knob.right(),
                         groove.height());
    check("its unfilled track", unfilled, unfilled.width());
    if (slider.tickPosition() & QSlider::TicksBelow) {
        const QRect ticks(0, knob.bottom() + 1, slider.width(),
                          slider.height() - knob.bottom() - 1);
        const int interval = std::max(slider.tickInterval(), 1);
        const int count = (slider.maximum() - slider.minimum()) / interval + 1;
        // Each mark is a short line: two of its pixels a mark count.
        check("its tick marks", ticks, 2 * count);
    }
}

} // namespace

std::vector<std::string> controlPartFaults(QWidget& window, const QImage& picture) {
    std::vector<std::string> faults;
    std::vector<std::pair<const QPushButton*, QRect>> buttons;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isWindow()) {
            continue;
        }
        const std::optional<QRect> inWindow = wholeInWindow(*widget, window);
        if (!inWindow) {
            continue;
        }
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            checkButtonTitleRoom(*button, faults);
            buttons.emplace_back(button, *inWindow);
        } else if (const auto* bar = qobject_cast<const QScrollBar*>(widget)) {
            checkScrollBar(*bar, *inWindow, picture, faults);
        } else if (const auto* slider = qobject_cast<const QSlider*>(widget)) {
            checkSlider(*slider, *inWindow, picture, faults);
        }
    }
    checkDefaultButtons(buttons, picture, faults);
    return faults;
}

} // namespace tessarin::visual
