#include "UI/Preferences/Keyboard/DirectSlotColumnsHeaderRow.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>

namespace tessarin {

namespace {

QLabel* columnTitle(const char* text, int width, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromUtf8(text));
    QFont font = label->font();
    font.setPointSize(11);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    if (width > 0) {
        label->setFixedWidth(width);
    }
    return label;
}

} // namespace

DirectSlotColumnsHeaderRow::DirectSlotColumnsHeaderRow(
    const std::optional<std::string>& headerIdentifier) {
    if (headerIdentifier) {
        setObjectName(QString::fromStdString(*headerIdentifier));
    }
    setFixedHeight(44);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 0, 80, 0);
    layout->setSpacing(12);
    layout->addWidget(columnTitle("Space", 0, Qt::AlignLeft), 1);
    layout->addWidget(columnTitle("Name", 150, Qt::AlignLeft));
    layout->addWidget(columnTitle("Obscure", 64, Qt::AlignHCenter));
    layout->addWidget(columnTitle("Hotkey", 150, Qt::AlignLeft));
}

} // namespace tessarin
