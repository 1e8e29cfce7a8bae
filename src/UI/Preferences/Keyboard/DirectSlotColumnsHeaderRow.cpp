#include "UI/Preferences/Keyboard/DirectSlotColumnsHeaderRow.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

namespace tessarin {

namespace L = SettingsPageLayout;

namespace {

constexpr int obscureWidth = 64;

QLabel* columnTitle(const char* text, int width, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromUtf8(text));
    QFont font = label->font();
    setViewPointSize(font, 11);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    if (width > 0) {
        label->setFixedWidth(width);
    }
    return label;
}

} // namespace

DirectSlotColumnsHeaderRow::DirectSlotColumnsHeaderRow(
    const std::optional<std::string>& headerIdentifier)
    : appearanceObserver_([this] { applyColors(); }) {
    if (headerIdentifier) {
        setObjectName(QString::fromStdString(*headerIdentifier));
    }
    setFixedHeight(44);
    QLabel* obscure = columnTitle("Obscure", 0, Qt::AlignHCenter);
    // Centred over the checkboxes; a title wider than its column reaches into the gaps beside
    // it rather than being cut.
    const int width = std::max(obscureWidth, obscure->sizeHint().width());
    obscure->setFixedWidth(width);
    const int before = 12 - (width - obscureWidth) / 2;
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 0, 80, 0);
    layout->setSpacing(0);
    layout->addWidget(columnTitle("Space", 0, Qt::AlignLeft), 1);
    layout->addSpacing(12);
    layout->addWidget(columnTitle("Name", 150, Qt::AlignLeft));
    layout->addSpacing(before);
    layout->addWidget(obscure);
    layout->addSpacing(2 * 12 + obscureWidth - width - before);
    layout->addWidget(columnTitle("Hotkey", 150, Qt::AlignLeft));
    applyColors();
}

void DirectSlotColumnsHeaderRow::applyColors() {
    const QColor colour =
        L::resolvedColor(SettingsSystemColor::secondaryLabel, L::effectiveAppearance());
    for (QLabel* title : findChildren<QLabel*>()) {
        L::setTextColor(*title, colour);
    }
}

} // namespace tessarin
