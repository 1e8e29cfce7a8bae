#include "UI/Health/TessarinPrivacyPermissionGuidePresenter.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramBundle.h"
#include "Support/MainQueue.h"
#include "UI/Health/HealthSymbolView.h"
#include "UI/Health/PermissionGuidePanel.h"
#include "UI/Health/SystemSettingsWindowLookup.h"
#include "UI/Text/TailTruncatingLabel.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

namespace tessarin {

namespace {

Rect integral(const Rect& rect) {
    const double x = std::floor(rect.minX());
    const double y = std::floor(rect.minY());
    return Rect{x, y, std::ceil(rect.maxX()) - x, std::ceil(rect.maxY()) - y};
}

Rect centredGuideFrame(Point centre) {
    using P = TessarinPrivacyPermissionGuidePresenter;
    return integral(Rect{centre.x - P::width / 2, centre.y - P::height / 2, P::width, P::height});
}

double easeInEaseOut(double t) {
    return t < 0.5 ? 2 * t * t : 1 - std::pow(-2 * t + 2, 2) / 2;
}

Rect interpolate(const Rect& from, const Rect& to, double t) {
    const auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return Rect{mix(from.minX(), to.minX()), mix(from.minY(), to.minY()),
                mix(from.width(), to.width()), mix(from.height(), to.height())};
}

} // namespace

TessarinPrivacyPermissionGuidePresenter::TessarinPrivacyPermissionGuidePresenter(
    std::function<std::optional<std::string>()> appBundleURLProvider,
    std::function<std::optional<Rect>()> systemSettingsWindowProvider,
    AppBundleDragStarter dragStarter)
    : appBundleURLProvider_(appBundleURLProvider
                                ? std::move(appBundleURLProvider)
                                : [] { return std::optional(defaultAppBundlePath()); }),
      systemSettingsWindowProvider_(systemSettingsWindowProvider
                                        ? std::move(systemSettingsWindowProvider)
                                        : SystemSettingsWindowLookup::currentFrame),
      dragStarter_(std::move(dragStarter)),
      self_(std::make_shared<TessarinPrivacyPermissionGuidePresenter*>(this)) {}

TessarinPrivacyPermissionGuidePresenter::~TessarinPrivacyPermissionGuidePresenter() {
    tracker_.cancel();
    glide_.cancel();
}

TessarinPrivacyPermissionGuidePresenter& TessarinPrivacyPermissionGuidePresenter::shared() {
    return Host::current().sharedInstance<TessarinPrivacyPermissionGuidePresenter>(
        [](Host&) { return std::make_unique<TessarinPrivacyPermissionGuidePresenter>(); });
}

QString
TessarinPrivacyPermissionGuidePresenter::instructionText(TessarinPrivacyPermission permission) {
    switch (permission) {
    case TessarinPrivacyPermission::accessibility:
        return QStringLiteral("Drag Tessarin to the list above to allow Accessibility");
    case TessarinPrivacyPermission::screenRecording:
        return QStringLiteral("Drag ") + QStringLiteral("Tessarin") +
               QStringLiteral(" to the list above to allow Screen Recording");
    }
    return {};
}

std::string TessarinPrivacyPermissionGuidePresenter::defaultAppBundlePath() {
    const ProgramBundle& bundle = Host::current().programBundle();
    namespace fs = std::filesystem;
    if (fs::path(bundle.bundlePath()).extension() == ".app") {
        return bundle.bundlePath();
    }
    for (fs::path path(bundle.executablePath());; path = path.parent_path()) {
        if (path.extension() == ".app") {
            return path.string();
        }
        if (path.parent_path() == path || path.empty()) {
            break;
        }
    }
    if (bundle.fileExists(kInstalledProgramBundlePath)) {
        return kInstalledProgramBundlePath;
    }
    return bundle.bundlePath();
}

std::optional<Rect> TessarinPrivacyPermissionGuidePresenter::trackedFrame() const {
    const auto window = systemSettingsWindowProvider_();
    if (!window) {
        return std::nullopt;
    }
    return integral(Rect{window->midX() - width / 2, window->minY() + 24, width, height});
}

void TessarinPrivacyPermissionGuidePresenter::presentGuide(
    TessarinPrivacyPermission permission, const std::optional<Rect>& sourceRectInScreen) {
    activePermission_ = permission;
    lastTrackedTargetFrame_.reset();
    shouldAnimateFromSource_ = sourceRectInScreen.has_value();
    glide_.cancel();
    if (!panel_) {
        panel_ = std::make_unique<PermissionGuidePanel>(Rect{0, 0, width, height});
    }
    buildContent(permission);

    Rect frame;
    double alpha = 1.0;
    if (sourceRectInScreen) {
        frame = centredGuideFrame(sourceRectInScreen->center());
        alpha = 0.92;
    } else if (const auto tracked = trackedFrame()) {
        frame = *tracked;
    } else {
        const auto screen = Host::current().displays().mainScreen();
        frame = centredGuideFrame(screen ? screen->visibleFrame.center()
                                         : Rect{0, 0, 900, 700}.center());
    }
    panel_->setHostFrame(frame);
    panel_->setAlpha(alpha);
    panel_->orderFrontRegardless();
    startTracking();
    updateTrackedPosition();
}

void TessarinPrivacyPermissionGuidePresenter::dismissGuide() {
    tracker_.cancel();
    tracker_ = WorkItem();
    glide_.cancel();
    activePermission_.reset();
    shouldAnimateFromSource_ = false;
    lastTrackedTargetFrame_.reset();
    if (panel_) {
        panel_->orderOut();
    }
}

void TessarinPrivacyPermissionGuidePresenter::startTracking() {
    tracker_.cancel();
    tracker_ =
        MainQueue::main().scheduleRepeating(trackingInterval, [weakSelf = std::weak_ptr(self_)] {
            if (const auto self = weakSelf.lock()) {
                (*self)->updateTrackedPosition();
            }
        });
}

void TessarinPrivacyPermissionGuidePresenter::updateTrackedPosition() {
    if (!activePermission_ || !panel_) {
        return;
    }
    const auto frame = trackedFrame();
    if (!frame) {
        return;
    }
    if (shouldAnimateFromSource_) {
        shouldAnimateFromSource_ = false;
        glideTo(*frame);
    } else if (lastTrackedTargetFrame_ != frame) {
        glide_.cancel();
        panel_->setHostFrame(*frame);
    }
    lastTrackedTargetFrame_ = frame;
}

// Moves the panel to `target` and fades it in over 0.34 s, easing in and out, in steps of the
// tracking interval on the main queue's clock.
void TessarinPrivacyPermissionGuidePresenter::glideTo(const Rect& target) {
    glide_.cancel();
    const Rect start = panel_->hostFrame();
    const double startAlpha = panel_->alpha();
    const double startTime = MainQueue::main().now();
    glide_ = MainQueue::main().scheduleRepeating(
        trackingInterval / 2,
        [weakSelf = std::weak_ptr(self_), start, startAlpha, startTime, target] {
            const auto self = weakSelf.lock();
            if (!self || !(*self)->panel_) {
                return;
            }
            TessarinPrivacyPermissionGuidePresenter& presenter = **self;
            const double t = std::min(1.0, (MainQueue::main().now() - startTime) / glideDuration);
            const double eased = easeInEaseOut(t);
            presenter.panel_->setHostFrame(t >= 1 ? target : interpolate(start, target, eased));
            presenter.panel_->setAlpha(startAlpha + (1.0 - startAlpha) * eased);
            if (t >= 1) {
                presenter.glide_.cancel();
            }
        });
}

void TessarinPrivacyPermissionGuidePresenter::buildContent(TessarinPrivacyPermission permission) {
    // The old content goes with its layout; the panel itself is kept.
    for (QWidget* child : panel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->deleteLater();
        child->hide();
    }
    delete panel_->layout();
    auto* column = new QVBoxLayout(panel_.get());
    column->setContentsMargins(42, 16, 28, 0);
    column->setSpacing(14);

    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(makeSymbolView("arrow.up", QColor(10, 132, 255), 34, panel_.get()), 0,
                   Qt::AlignVCenter);
    auto* label = new TailTruncatingLabel(instructionText(permission), panel_.get());
    label->setObjectName(QStringLiteral("health.guide.instruction"));
    QFont font = label->font();
    font.setPixelSize(18); // view points, as the panel's frame is measured
    font.setWeight(QFont::DemiBold);
    // The condensed face, where installed, keeps the whole sentence within the panel's width.
    font.setStretch(QFont::Condensed);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white;"));
    row->addWidget(label, 1, Qt::AlignVCenter);
    auto* close = new QPushButton(panel_.get());
    close->setObjectName(QStringLiteral("health.guide.close"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setFlat(true);
    close->setFixedSize(28, 28);
    close->setFocusPolicy(Qt::NoFocus);
    close->setProperty("symbol", QStringLiteral("xmark"));
    if (const QPixmap symbol = tintedSymbol("xmark", QColor(235, 235, 245, 153), 28);
        !symbol.isNull()) {
        close->setIcon(QIcon(symbol));
    }
    QObject::connect(close, &QPushButton::clicked, [weakSelf = std::weak_ptr(self_)] {
        if (const auto self = weakSelf.lock()) {
            (*self)->dismissGuide();
        }
    });
    row->addWidget(close, 0, Qt::AlignVCenter);
    column->addLayout(row);

    auto* tile =
        new TessarinAppBundleDragView(QString::fromStdString(appBundleURLProvider_().value_or(
                                          Host::current().programBundle().bundlePath())),
                                      QStringLiteral("Tessarin"), dragStarter_, panel_.get());
    tile->setObjectName(QStringLiteral("health.guide.tile"));
    tile->setFixedHeight(46);
    // The tile sits 78 points from the leading edge, 36 further in than the stack.
    auto* tileRow = new QHBoxLayout;
    tileRow->setContentsMargins(36, 0, 0, 0);
    tileRow->addWidget(tile);
    column->addLayout(tileRow);
    column->addStretch(1);
}

} // namespace tessarin
