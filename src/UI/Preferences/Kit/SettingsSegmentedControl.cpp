#include "UI/Preferences/Kit/SettingsSegmentedControl.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace tessarin {

SettingsSegmentedControl::SettingsSegmentedControl(const QStringList& labels, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)),
      appearanceObserver_([this] { applySegmentColors(); }) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    group_->setExclusive(false);
    for (const QString& label : labels) {
        auto* button = new QToolButton(this);
        button->setText(label);
        button->setCheckable(true);
        button->setAutoRaise(false);
        const int index = static_cast<int>(segments_.size());
        group_->addButton(button, index);
        layout->addWidget(button);
        segments_.push_back(button);
        QObject::connect(button, &QToolButton::toggled, this, [this] { applySegmentColors(); });
    }
    QObject::connect(group_, &QButtonGroup::idClicked, this, [this](int index) {
        if (onSelectionChanged) {
            onSelectionChanged(index);
        }
    });
}

int SettingsSegmentedControl::selectedSegment() const {
    for (int index = 0; index < segmentCount(); ++index) {
        if (segments_[static_cast<std::size_t>(index)]->isChecked()) {
            return index;
        }
    }
    return -1;
}

void SettingsSegmentedControl::setSelectedSegment(int index) {
    if (index < 0 || index >= segmentCount()) {
        return;
    }
    for (int other = 0; other < segmentCount(); ++other) {
        segments_[static_cast<std::size_t>(other)]->setChecked(other == index);
    }
}

QToolButton* SettingsSegmentedControl::segment(int index) const {
    if (index < 0 || index >= segmentCount()) {
        return nullptr;
    }
    return segments_[static_cast<std::size_t>(index)];
}

void SettingsSegmentedControl::applySegmentColors() {
    namespace L = SettingsPageLayout;
    // A deeper shade of the accent: the style lightens a pressed-in button, and the white
    // title must stay legible on it.
    const QColor accent(0, 78, 190);
    const QColor window =
        L::resolvedColor(SettingsSystemColor::windowBackground, L::effectiveAppearance());
    QColor dimmedAccent = accent;
    dimmedAccent.setAlphaF(SettingsSwitch::disabledOpacity);
    QColor dimmedText(Qt::white);
    dimmedText.setAlphaF(0.7f);
    for (QToolButton* button : segments_) {
        if (!button->isChecked()) {
            // The others draw as every button of the window does.
            button->setPalette(QPalette());
            continue;
        }
        QPalette palette;
        palette.setColor(QPalette::Button, accent);
        palette.setColor(QPalette::ButtonText, Qt::white);
        const auto mixed = [&window](const QColor& over) {
            const qreal alpha = over.alphaF();
            return QColor::fromRgbF(over.redF() * alpha + window.redF() * (1 - alpha),
                                    over.greenF() * alpha + window.greenF() * (1 - alpha),
                                    over.blueF() * alpha + window.blueF() * (1 - alpha));
        };
        palette.setColor(QPalette::Disabled, QPalette::Button, mixed(dimmedAccent));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, mixed(dimmedText));
        button->setPalette(palette);
    }
}

void SettingsSegmentedControl::setSelectOneTracking() {
    group_->setExclusive(true);
}

void SettingsSegmentedControl::setRegularControlSize() {
    for (QToolButton* button : segments_) {
        button->setMinimumHeight(22);
    }
}

} // namespace tessarin
