#include "UI/Preferences/System/AppFilterSheet.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/System/SystemSettingsViewIdentifier.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessarin {

namespace Id = SystemSettingsViewIdentifier;

namespace {

constexpr int columnWidth = 460;
constexpr int rowHeight = 28;
constexpr int tableHeight = 150;
constexpr int cellInset = 6;

// The name field keeps Return for itself: it adds the name, and the sheet stays open instead
// of taking Return as "Done".
class AppFilterTextField final : public QLineEdit {
public:
    AppFilterTextField() { setPlaceholderText(QStringLiteral("App or window name")); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
        }
    }
};

QPushButton* makeButton(const QString& title, const char* identifier,
                        const std::function<void()>& action) {
    auto* button = new QPushButton(title);
    button->setObjectName(QString::fromUtf8(identifier));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [action] { action(); });
    return button;
}

QTableWidget* makeTable(const AppFilterSheetActions& actions) {
    auto* table = new QTableWidget(0, 1);
    table->setObjectName(QString::fromUtf8(Id::appFilterTable));
    table->setHorizontalHeaderLabels({QStringLiteral("Name")});
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, columnWidth);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->setAlternatingRowColors(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setFixedHeight(tableHeight);
    QObject::connect(table, &QTableWidget::itemSelectionChanged, table,
                     [action = actions.selectionChanged] { action(); });
    return table;
}

} // namespace

AppFilterSheet AppFilterSheet::make(const AppFilterSheetActions& actions) {
    AppFilterSheet views;
    views.sheet = new SettingsSheet(
        QSize(width, height), QStringLiteral("App Filter"),
        QStringLiteral("Hide matching app names and window titles from grid OSD titles and "
                       "preview badges. Preview refreshes may take a few seconds after changes."));
    views.sheet->setWindowTitle(QStringLiteral("App Filter"));

    views.textField = new AppFilterTextField;
    views.textField->setObjectName(QString::fromUtf8(Id::appFilterTextField));
    views.textField->setMinimumWidth(320);
    QObject::connect(views.textField, &QLineEdit::returnPressed, views.textField,
                     [action = actions.addEntry] { action(); });
    QObject::connect(views.textField, &QLineEdit::textEdited, views.textField,
                     [action = actions.textChanged] { action(); });
    views.addButton = makeButton(QStringLiteral("Add"), Id::appFilterAddControl, actions.addEntry);
    views.addButton->setMinimumWidth(74);
    views.table = makeTable(actions);
    views.removeButton =
        makeButton(QStringLiteral("Remove"), Id::appFilterRemoveControl, actions.removeEntry);

    auto* section = new QWidget;
    auto* entryRow = new QHBoxLayout;
    entryRow->setSpacing(8);
    entryRow->addWidget(views.textField, 1, Qt::AlignVCenter);
    entryRow->addWidget(views.addButton, 0, Qt::AlignVCenter);
    auto* stack = new QVBoxLayout(section);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);
    stack->addLayout(entryRow);
    stack->addWidget(views.table);
    stack->addWidget(views.removeButton, 0, Qt::AlignLeft);
    views.sheet->setSection(section);

    views.doneButton = views.sheet->addButton(QStringLiteral("Done"), true, actions.close);
    views.doneButton->setObjectName(QString::fromUtf8(Id::appFilterDoneControl));
    return views;
}

void AppFilterSheet::reload(const std::vector<std::string>& entries) const {
    const QSignalBlocker quiet(table);
    table->clearSelection();
    table->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        auto* cell = SettingsPageLayout::makeLabel({}, SettingsPageLayout::rowTitleFont());
        cell->setObjectName(QString::fromUtf8(Id::appFilterCell));
        cell->setContentsMargins(cellInset, 0, cellInset, 0);
        const QString entry = QString::fromStdString(entries[static_cast<std::size_t>(row)]);
        cell->setText(
            cell->fontMetrics().elidedText(entry, Qt::ElideRight, columnWidth - 2 * cellInset));
        cell->setToolTip(entry);
        table->setCellWidget(row, 0, cell);
    }
}

int AppFilterSheet::selectedRow() const {
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void AppFilterSheet::selectRow(int row) const {
    table->selectRow(row);
}

} // namespace tessarin
