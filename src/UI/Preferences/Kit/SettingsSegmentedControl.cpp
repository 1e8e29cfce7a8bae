#include "UI/Preferences/Kit/SettingsSegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace tessarin {

SettingsSegmentedControl::SettingsSegmentedControl(const QStringList& labels, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
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

void SettingsSegmentedControl::setSelectOneTracking() {
    group_->setExclusive(true);
}

void SettingsSegmentedControl::setRegularControlSize() {
    for (QToolButton* button : segments_) {
        button->setMinimumHeight(22);
    }
}

} // namespace tessarin
