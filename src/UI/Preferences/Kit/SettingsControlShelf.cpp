#include "UI/Preferences/Kit/SettingsControlShelf.h"

#include <QPointer>

namespace tessarin {

namespace {

// Rides on a kept control and names its shelf.
class ShelfLink final : public QObject {
public:
    ShelfLink(QWidget* control, SettingsControlShelf* shelf) : QObject(control), shelf(shelf) {}
    QPointer<SettingsControlShelf> shelf;
};

ShelfLink* linkOf(const QWidget* control) {
    for (QObject* child : control->children()) {
        if (auto* link = dynamic_cast<ShelfLink*>(child)) {
            return link;
        }
    }
    return nullptr;
}

} // namespace

SettingsControlShelf::SettingsControlShelf() {
    hide();
}

void SettingsControlShelf::keep(QWidget* control) {
    if (control == nullptr) {
        return;
    }
    if (ShelfLink* link = linkOf(control)) {
        link->shelf = this;
    } else {
        new ShelfLink(control, this);
    }
    if (control->parentWidget() == nullptr) {
        control->setParent(this);
    }
}

bool SettingsControlShelf::holds(const QWidget* control) const {
    const ShelfLink* link = control != nullptr ? linkOf(control) : nullptr;
    return link != nullptr && link->shelf == this;
}

void SettingsControlShelf::returnToShelf(QWidget* control) {
    ShelfLink* link = control != nullptr ? linkOf(control) : nullptr;
    if (link == nullptr || link->shelf == nullptr) {
        return;
    }
    control->setParent(link->shelf);
}

void SettingsControlShelf::reclaimFrom(const QWidget& row, const QPointer<QWidget>& control) {
    if (control && control->parentWidget() == &row) {
        returnToShelf(control);
    }
}

} // namespace tessarin
