#pragma once

#include "UI/Preferences/Kit/SettingsSheet.h"

#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tessarin {

// What the App Filter sheet's controls ask of the page.
struct AppFilterSheetActions {
    std::function<void()> addEntry;         // "Add", or Return in the field
    std::function<void()> removeEntry;      // "Remove"
    std::function<void()> close;            // "Done", or Return outside the field
    std::function<void()> textChanged;      // every edit of the field
    std::function<void()> selectionChanged; // every change of the table's selection
};

// The App Filter sheet: a name field with "Add" over the list of entries, "Remove" under it and
// "Done" in the footer. The sheet owns its controls; `sheet` goes null once it is deleted.
struct AppFilterSheet {
    static constexpr int width = 560;
    static constexpr int height = 430;

    QPointer<SettingsSheet> sheet;
    QLineEdit* textField = nullptr;
    QPushButton* addButton = nullptr;
    QTableWidget* table = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* doneButton = nullptr;

    static AppFilterSheet make(const AppFilterSheetActions& actions);

    // Shows `entries`, one per row, long ones cut short at the tail; the selection is cleared.
    void reload(const std::vector<std::string>& entries) const;
    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row) const;
};

} // namespace tessarin
