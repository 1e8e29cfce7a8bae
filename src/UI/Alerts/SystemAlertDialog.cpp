#include "UI/Alerts/SystemAlertDialog.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/WindowActions/AllowedWindowActions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

// The text takes the label colour of the program's palette, which follows the appearance.
QLabel* makeText(const std::string& text, QFont font, const QString& identifier) {
    QLabel* label = L::makeLabel(QString::fromStdString(text), font);
    label->setObjectName(identifier);
    label->setWordWrap(true);
    return label;
}

} // namespace

SystemAlertDialog::SystemAlertDialog(const SystemAlert& alert, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("alert"));
    setWindowTitle(QString::fromStdString(alert.messageText));
    setFixedWidth(width);
    setAutoFillBackground(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 16);
    column->setSpacing(8);
    column->addWidget(
        makeText(alert.messageText, L::sectionHeaderFont(), QStringLiteral("alert.message")));
    if (!alert.informativeText.empty()) {
        column->addWidget(makeText(alert.informativeText, L::rowDetailFont(),
                                   QStringLiteral("alert.informative")));
    }
    column->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const std::vector<std::string> titles =
        alert.buttons.empty() ? std::vector<std::string>{"OK"} : alert.buttons;
    // Right to left: the first button stands rightmost.
    for (std::size_t index = titles.size(); index-- > 0;) {
        const int answer = AlertResponse::firstButton + static_cast<int>(index);
        auto* button = new QPushButton(QString::fromStdString(titles[index]), this);
        button->setObjectName(QStringLiteral("alert.button.%1").arg(index));
        button->setDefault(index == 0);
        button->setAutoDefault(index == 0);
        QObject::connect(button, &QPushButton::clicked, this, [this, answer] {
            response_ = answer;
            accept();
        });
        if (titles[index] == "Cancel") {
            cancelResponse_ = answer;
        }
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    // An alert ends by its buttons (or Escape) only; its frame merely moves it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    AllowedWindowActions::allow(*this, WindowActions{.close = false});
}

// Its size is the one it first shows at, which its text decides.
void SystemAlertDialog::showEvent(QShowEvent* event) {
    setFixedHeight(height());
    QDialog::showEvent(event);
}

void SystemAlertDialog::reject() {
    response_ = cancelResponse_;
    QDialog::reject();
}

int SystemAlertDialog::run(const SystemAlert& alert) {
    SystemAlertDialog dialog(alert);
    dialog.exec();
    return dialog.response();
}

} // namespace tessarin
