#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "UI/Health/HealthPageText.h"
#include "UI/Health/HealthSymbolView.h"
#include "UI/Health/TessarinHealthCheckViewController.h"
#include "UI/Health/TessarinHealthCheckViewIdentifier.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarin {

namespace {

namespace Id = TessarinHealthCheckViewIdentifier;
using namespace HealthPageText;

QWidget* makeIllustration(TessarinHealthCheckIdentifier identifier) {
    const auto icon = [](const char* name, const QColor& tint) {
        return makeSymbolView(name, tint, 44);
    };
    QWidget* illustration = nullptr;
    switch (identifier) {
    case TessarinHealthCheckIdentifier::accessibility: {
        illustration = new QWidget;
        auto* row = new QHBoxLayout(illustration);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(10);
        row->addWidget(icon("keyboard", systemBlue), 0, Qt::AlignVCenter);
        row->addWidget(icon("arrow.right", tertiaryLabel()), 0, Qt::AlignVCenter);
        row->addWidget(icon("square.grid.3x3.fill", systemGreen), 0, Qt::AlignVCenter);
        break;
    }
    case TessarinHealthCheckIdentifier::screenRecording:
        illustration = icon("camera", systemPurple);
        break;
    case TessarinHealthCheckIdentifier::separateSpaces:
        illustration = icon("display.2", systemTeal);
        break;
    case TessarinHealthCheckIdentifier::spaceAutoRearrange:
        illustration = icon("arrow.triangle.2.circlepath", systemOrange);
        break;
    case TessarinHealthCheckIdentifier::launchAtLogin:
        illustration = icon("power", systemGreen);
        break;
    }
    illustration->setObjectName(Id::stepIllustration);
    illustration->setFixedHeight(58);
    return illustration;
}

std::pair<QString, QColor> statusText(TessarinHealthCheckStatus status) {
    switch (status) {
    case TessarinHealthCheckStatus::passed:
        return {QStringLiteral("OK"), statusColour(systemGreen)};
    case TessarinHealthCheckStatus::actionRequired:
        return {QStringLiteral("Needs Action"), statusColour(systemOrange)};
    case TessarinHealthCheckStatus::recommended:
        return {QStringLiteral("Recommended"), statusColour(systemBlue)};
    case TessarinHealthCheckStatus::notAvailable:
        return {QStringLiteral("Not Available"), secondaryLabel()};
    case TessarinHealthCheckStatus::notApplicable:
        return {QStringLiteral("Not Needed"), secondaryLabel()};
    }
    return {};
}

// A vertical stack centred in a container, a button row below it at the right.
QWidget* makeHero(const QString& identifier, QVBoxLayout*& stack, int top) {
    auto* hero = new QWidget;
    hero->setObjectName(identifier);
    stack = new QVBoxLayout(hero);
    stack->setContentsMargins(24, top, 24, 0);
    stack->setSpacing(10);
    return hero;
}

std::optional<Rect> screenFrame(const QWidget& widget) {
    if (!widget.window() || !widget.window()->isWindow()) {
        return std::nullopt;
    }
    const QRect global(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    return Host::current().displays().fromWindowServer(
        Rect{static_cast<double>(global.x()), static_cast<double>(global.y()),
             static_cast<double>(global.width()), static_cast<double>(global.height())});
}

} // namespace

QWidget*
TessarinHealthCheckViewController::makeHealthStepHeroView(const TessarinHealthCheckItem& item) {
    QVBoxLayout* stack = nullptr;
    QWidget* hero = makeHero(Id::stepHero, stack, 24);
    addCentred(*stack, makeIllustration(item.identifier));
    const auto [status, colour] = statusText(item.status);
    addCentred(*stack,
               makeLabel(status, Id::status(item.identifier), systemFont(12, true), colour, false));
    addCentred(*stack, makeLabel(QString::fromStdString(item.title), Id::stepTitle,
                                 systemFont(24, true), labelColour(), true, 430));
    const bool accessibilityMissing =
        item.identifier == TessarinHealthCheckIdentifier::accessibility &&
        item.status != TessarinHealthCheckStatus::passed;
    const QString detail = accessibilityMissing
                               ? QStringLiteral("Tessarin needs Accessibility so your global "
                                                "shortcuts can switch spaces from any app.")
                               : QString::fromStdString(item.detail);
    addCentred(*stack, makeLabel(detail, Id::stepDetail, systemFont(13, false), secondaryLabel(),
                                 true, 460));
    stack->addSpacing(12);
    auto* buttons = new QHBoxLayout;
    // The stack's own 24-point inset already holds the row 16 points inside each edge.
    buttons->setContentsMargins(0, 0, 0, 18);
    buttons->addStretch(1);
    buttons->addWidget(makeStepButtonStack(item));
    stack->addLayout(buttons);
    return hero;
}

QWidget*
TessarinHealthCheckViewController::makeStepButtonStack(const TessarinHealthCheckItem& item) {
    auto* row = new QWidget;
    row->setObjectName(Id::stepButtonStack);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    const int tag = static_cast<int>(item.identifier);
    const std::weak_ptr weakSelf(self_);
    if (item.status == TessarinHealthCheckStatus::recommended) {
        QPushButton* skip = makeButton(QStringLiteral("Skip"), Id::skip(item.identifier), false);
        makeSecondaryFlat(*skip);
        skip->setProperty("tag", tag);
        QObject::connect(skip, &QPushButton::clicked, [weakSelf, tag] {
            if (const auto self = weakSelf.lock()) {
                (*self)->skipRecommendedItem(tag);
            }
        });
        layout->addWidget(skip);
    }
    QPushButton* action = makeButton(QString::fromStdString(item.actionTitle.value_or("Open")),
                                     Id::action(item.identifier), true, 82);
    action->setProperty("tag", tag);
    QObject::connect(action, &QPushButton::clicked, [weakSelf, tag, action] {
        if (const auto self = weakSelf.lock()) {
            (*self)->performItemAction(tag, screenFrame(*action));
        }
    });
    layout->addWidget(action);
    return row;
}

QWidget* TessarinHealthCheckViewController::makeAllSetHeroView(
    const std::vector<TessarinHealthCheckItem>& skippedItems) {
    QVBoxLayout* stack = nullptr;
    QWidget* hero = makeHero(Id::allSetHero, stack, 36);
    QLabel* icon = makeSymbolView("checkmark.circle.fill", systemGreen, 64);
    icon->setObjectName(Id::allSetIcon);
    icon->setAccessibleName(QStringLiteral("All Set"));
    addCentred(*stack, icon);
    addCentred(*stack, makeLabel(QStringLiteral("All Set"), Id::allSetTitle, systemFont(30, true),
                                 labelColour(), false));
    const QString detail =
        skippedItems.empty()
            ? QStringLiteral("Tessarin is ready. Settings lets you tune the display grid, OSD, "
                             "overlay, shortcuts, launch behavior, and updates.")
            : QStringLiteral("Required setup is complete. Settings lets you revisit skipped "
                             "recommendations and tune the grid, shortcuts, system behavior, "
                             "and updates.");
    addCentred(*stack, makeLabel(detail, Id::allSetDetail, systemFont(13, false), secondaryLabel(),
                                 true, 440));
    if (!skippedItems.empty()) {
        QStringList titles;
        for (const TessarinHealthCheckItem& item : skippedItems) {
            titles << QString::fromStdString(item.title);
        }
        addCentred(*stack, makeLabel(QStringLiteral("Skipped for now: ") + titles.join(", ") + ".",
                                     Id::skippedRecommendationsDetail, systemFont(12, false),
                                     tertiaryLabel(), true, 430));
    }
    QPushButton* settings = makeButton(QStringLiteral("Open Settings"), Id::settingsButton, false);
    QObject::connect(settings, &QPushButton::clicked, [weakSelf = std::weak_ptr(self_)] {
        if (const auto self = weakSelf.lock()) {
            (*self)->openSettings();
        }
    });
    addCentred(*stack, settings);
    stack->addSpacing(12);
    return hero;
}

} // namespace tessarin
