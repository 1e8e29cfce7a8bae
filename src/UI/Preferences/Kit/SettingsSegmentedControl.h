#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QButtonGroup;
class QToolButton;

namespace tessarin {

// A row of segments of which (in select-one tracking) exactly one is chosen; the page lists the
// cases of a value type in order, so the selected index is the case's position.
class SettingsSegmentedControl final : public QWidget {
    Q_OBJECT

public:
    explicit SettingsSegmentedControl(const QStringList& labels, QWidget* parent = nullptr);

    int segmentCount() const { return static_cast<int>(segments_.size()); }
    // -1 when nothing is selected.
    int selectedSegment() const;
    // An index outside the segments leaves the selection as it is.
    void setSelectedSegment(int index);
    QToolButton* segment(int index) const;

    // Select-one: choosing a segment deselects the others.
    void setSelectOneTracking();
    void setRegularControlSize();

    // Told of a segment the user chose.
    std::function<void(int)> onSelectionChanged;

private:
    // The chosen segment takes the accent colour, so it stands apart from the others.
    void applySegmentColors();

    std::vector<QToolButton*> segments_;
    QButtonGroup* group_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
