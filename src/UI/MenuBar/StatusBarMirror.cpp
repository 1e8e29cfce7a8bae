#include "UI/MenuBar/StatusBarMirror.h"

#include "Platform/Host.h"
#include "Platform/MachineInput/MachinePointer.h"
#include "Platform/MachineScreen.h"
#include "Platform/StatusBar/HostMenuBarPlace.h"
#include "Platform/StatusBar/KeyEquivalentText.h"
#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "Support/MainQueue.h"
#include "UI/WindowShape/RoundedWindowMask.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QSystemTrayIcon>
#include <cmath>
#include <optional>

namespace tessarin {
namespace {

constexpr int kSide = 22;
constexpr double kPixelsPerPoint = 2;
// The stand-in's distance from the corner of the screen it stands in.
constexpr int kStandInMargin = 8;

// The entry's title and, after a tab (which a Qt menu shows as the shortcut column), its key
// equivalent as the host's menus show it.
QString entryText(const MenuItem& item) {
    const std::string key =
        keyEquivalentText(item.keyEquivalent(), item.keyEquivalentModifierMask());
    return QString::fromStdString(key.empty() ? item.title() : item.title() + "\t" + key);
}

QColor menuBarTint() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}

// The frameless stand-in for a tray: the picture, and the menu on a click.
class StatusItemWindow final : public QWidget {
public:
    static constexpr double kCornerRadius = 6;
    std::function<void(QPoint)> onClick;
    QImage image;

    StatusItemWindow()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        setAttribute(Qt::WA_TranslucentBackground);
        setFixedSize(kSide + 8, kSide + 8);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QGuiApplication::palette().color(QPalette::Window));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
        painter.drawImage(QRectF(4, 4, kSide, kSide), image);
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        RoundedWindowMask::apply(*this, kCornerRadius);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (onClick) {
            onClick(event->globalPosition().toPoint());
        }
    }
};

// Where the stand-in goes: at the top right of the menu-bar display's image, as the status item
// lies at the right end of that display's menu bar; without the host's displays on the
// machine's screen, at the top right of the primary screen.
std::optional<QPoint> standInPosition(QSize size) {
    Host& host = Host::current();
    const MachineScreen& screen = MachineScreen::of(host);
    const auto place = hostMenuBarPlace(host);
    if (screen.area() && place) {
        const auto frame = place->standInFrame(
            screen.placement(), *screen.area(),
            Size{static_cast<double>(size.width()), static_cast<double>(size.height())},
            kStandInMargin);
        if (frame) {
            return QPoint(static_cast<int>(std::lround(frame->minX())),
                          static_cast<int>(std::lround(frame->minY())));
        }
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect available = primary->availableGeometry();
        return QPoint(available.right() - size.width() - kStandInMargin,
                      available.top() + kStandInMargin);
    }
    return std::nullopt;
}

} // namespace

StatusBarMirror::StatusBarMirror(StatusBar& statusBar)
    : statusBar_(statusBar), queue_(Host::current().queue()), alive_(std::make_shared<bool>(true)) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = std::make_unique<QSystemTrayIcon>();
        // A plain click opens the menu too, as a status item does.
        QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger && menu_) {
                                 menu_->popup(QCursor::pos());
                             }
                         });
    } else {
        auto window = std::make_unique<StatusItemWindow>();
        markAsHostMenuBar(*window);
        window->onClick = [this](QPoint at) {
            if (menu_) {
                menu_->popup(at);
            }
        };
        window_ = std::move(window);
    }
    token_ = statusBar_.changes().addObserver([this] { scheduleUpdate(); });
    update();
}

StatusBarMirror::~StatusBarMirror() {
    *alive_ = false;
    statusBar_.changes().removeObserver(token_);
}

bool StatusBarMirror::isMirrorWindow(const QWidget& window) {
    return dynamic_cast<const StatusItemWindow*>(&window) != nullptr;
}

bool StatusBarMirror::isShowing() const {
    return tray_ ? tray_->isVisible() : window_->isVisible();
}

// One redraw for a burst of changes: the controller resets and sets several fields at once.
void StatusBarMirror::scheduleUpdate() {
    if (updateScheduled_) {
        return;
    }
    updateScheduled_ = true;
    queue_.async([this, alive = alive_] {
        if (*alive) {
            updateScheduled_ = false;
            update();
        }
    });
}

void StatusBarMirror::update() {
    const auto& items = statusBar_.items();
    const StatusItem* item = items.empty() ? nullptr : items.front().get();
    if (item == nullptr || item->button() == nullptr) {
        if (tray_) {
            tray_->hide();
        } else {
            window_->hide();
        }
        return;
    }
    const QImage image = picture(*item->button(), menuBarTint());
    // An open menu is updated in place; replacing it would close it under the pointer.
    if (!menu_ || !updateMenu(*menu_, item->menu())) {
        menu_ = makeMenu(item->menu());
        if (menu_) {
            const std::shared_ptr<Menu> hostMenu = item->menu();
            QObject::connect(menu_.get(), &QMenu::aboutToShow, [hostMenu] { hostMenu->open(); });
            markAsHostMenuBar(*menu_);
        }
    }
    if (tray_) {
        tray_->setIcon(QIcon(QPixmap::fromImage(image)));
        tray_->setToolTip(QStringLiteral("Tessarin"));
        tray_->setContextMenu(menu_.get());
        tray_->show();
        return;
    }
    auto& window = static_cast<StatusItemWindow&>(*window_);
    window.image = image;
    if (const auto at = standInPosition(window.size())) {
        window.move(*at);
    }
    window.show();
    window.QWidget::update();
}

QImage StatusBarMirror::picture(const StatusBarButton& button, const QColor& tint) {
    QImage canvas(static_cast<int>(kSide * kPixelsPerPoint),
                  static_cast<int>(kSide * kPixelsPerPoint), QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(kPixelsPerPoint);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool showsImage = button.image() && !button.image()->isNull() &&
                            button.imagePosition() != StatusBarImagePosition::noImage;
    if (showsImage) {
        const QImage& image = *button.image();
        QSizeF size = image.deviceIndependentSize();
        size.scale(QSizeF(kSide, kSide), Qt::KeepAspectRatio);
        const QRectF target((kSide - size.width()) / 2, (kSide - size.height()) / 2, size.width(),
                            size.height());
        if (StatusBarButton::isTemplate(image)) {
            // A template image counts by its alpha only: paint it in the menu bar's colour.
            QImage tinted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter tinter(&tinted);
            tinter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tinter.fillRect(tinted.rect(), tint);
            tinter.end();
            painter.drawImage(target, tinted);
        } else {
            painter.drawImage(target, image);
        }
    }
    if (!button.title().empty()) {
        QFont font = button.font().kind == StatusBarFont::Kind::monospacedDigitSystem
                         ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                         : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPixelSize(button.font().pointSize > 0 ? static_cast<int>(button.font().pointSize)
                                                      : 13);
        font.setWeight(button.font().weight == StatusBarFont::Weight::semibold ? QFont::DemiBold
                                                                               : QFont::Normal);
        painter.setFont(font);
        painter.setPen(tint);
        painter.drawText(QRectF(0, 0, kSide, kSide), Qt::AlignCenter,
                         QString::fromStdString(button.title()));
    }
    painter.end();
    return canvas;
}

bool StatusBarMirror::updateMenu(QMenu& shown, const std::shared_ptr<Menu>& menu) {
    const QList<QAction*> actions = shown.actions();
    if (!menu || actions.size() != static_cast<qsizetype>(menu->items().size())) {
        return false;
    }
    for (qsizetype index = 0; index < actions.size(); ++index) {
        const MenuItem& entry = *menu->items()[static_cast<size_t>(index)];
        QAction& action = *actions[index];
        if (entry.isSeparator() != action.isSeparator()) {
            return false;
        }
        if (!entry.isSeparator()) {
            action.setText(entryText(entry));
            action.setEnabled(entry.isEnabled());
        }
    }
    return true;
}

std::unique_ptr<QMenu> StatusBarMirror::makeMenu(const std::shared_ptr<Menu>& menu) {
    if (!menu) {
        return nullptr;
    }
    auto result = std::make_unique<QMenu>();
    for (const auto& entry : menu->items()) {
        if (entry->isSeparator()) {
            result->addSeparator();
            continue;
        }
        // The key equivalents are shown only: they work through the host's own hot keys.
        QAction* action = result->addAction(entryText(*entry));
        action->setEnabled(entry->isEnabled());
        const std::weak_ptr<MenuItem> weakEntry = entry;
        QObject::connect(action, &QAction::triggered, [weakEntry] {
            if (const auto item = weakEntry.lock()) {
                item->perform();
            }
        });
        if (entry->submenu()) {
            QMenu* submenu = makeMenu(entry->submenu()).release();
            submenu->setParent(result.get(), submenu->windowFlags());
            action->setMenu(submenu);
        }
    }
    return result;
}

} // namespace tessarin
