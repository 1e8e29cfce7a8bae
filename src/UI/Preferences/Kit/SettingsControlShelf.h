#pragma once

#include <QPointer>
#include <QWidget>

namespace tessarin {

// Where a page keeps the controls it creates once and moves between rows and sheets. Rows are
// rebuilt on every render and sheets are rebuilt or closed; a kept control goes back to the
// shelf when the row that shows it dies, instead of dying with it.
class SettingsControlShelf final : public QWidget {
    Q_OBJECT

public:
    SettingsControlShelf();

    // Takes `control` for as long as the shelf lives.
    void keep(QWidget* control);
    bool holds(const QWidget* control) const;
    // Puts a kept control back on its shelf (a row that is going away calls it); nothing for
    // other widgets, or when the shelf is gone.
    static void returnToShelf(QWidget* control);
    // What a dying row does with a control it showed: back on the shelf while the row still
    // holds it; left alone when a newer row holds it or when it is already gone (its page and
    // shelf died first, and the row was deleted later).
    static void reclaimFrom(const QWidget& row, const QPointer<QWidget>& control);
};

} // namespace tessarin
