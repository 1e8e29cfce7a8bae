// The gliding highlight of the active cell: its look, its resting frame, and the flight that
// hands the active cell back to the drawing when it ends.
#include "Support/MainQueue.h"
#include "UI/OSD/OSDGridCellStyle.h"
#include "UI/OSD/OSDGridView.h"

namespace tessarin {

namespace {

using Kind = OSDGridCellAppearance::Kind;

std::optional<Kind> activeKind(const OSDGridModel& model) {
    const auto appearance = model.appearance(model.activeIndex());
    return appearance ? std::optional<Kind>(appearance->kind()) : std::nullopt;
}

QColor activeColor(const OSDGridAppearanceSettings& settings, double alpha) {
    QColor color = settings.activeColor.color();
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

void OSDGridView::configureActiveLayerShadow() {
    const int glowOpacity = appearanceSettings_.activeSpaceGlowOpacity.rawValue;
    highlight_.shadowColor = activeColor(appearanceSettings_, glowOpacity / 100.0 * 0.32);
    highlight_.shadowRadius = appearanceSettings_.activeSpaceGlowSpread.rawValue;
    highlight_.shadowOpacity = glowOpacity > 0 ? 1.0f : 0.0f;
}

void OSDGridView::configureActiveCellAppearance(const OSDGridModel& model,
                                                const Rect& targetFrame) {
    const auto kind = activeKind(model);
    if (!kind) {
        highlight_.hidden = true;
        return;
    }
    const Appearance appearance = resolvedAppearance();
    if (*kind == Kind::activeScreenshot || *kind == Kind::activeIcon ||
        *kind == Kind::emptyPlaceholder) {
        highlight_.backgroundColor = Qt::transparent;
        highlight_.borderWidth = appearanceSettings_.activeSpaceBorderWidth.rawValue;
        highlight_.borderColor = activeColor(appearanceSettings_, 0.78);
        configureActiveLayerShadow();
        highlight_.showsTint = *kind != Kind::emptyPlaceholder;
    } else {
        highlight_.backgroundColor = OSDGridCellStyle::activeFillColor();
        highlight_.borderWidth = 0;
        highlight_.borderColor = OSDGridCellStyle::strokeColor(appearance);
        highlight_.shadowOpacity = 0;
        highlight_.showsTint = false;
    }
    highlight_.tintColor = OSDGridCellStyle::activeTintColor(appearance);
    highlight_.cornerRadius = OSDGridCellStyle::cornerRadius(targetFrame, kind);
}

void OSDGridView::applyActiveCellFrame(const Rect& frame, float opacity,
                                       const OSDGridModel& model) {
    highlight_.frame = frame.standardized();
    highlight_.opacity = opacity;
    highlight_.cornerRadius = OSDGridCellStyle::cornerRadius(frame, activeKind(model));
}

void OSDGridView::beginActiveOverlayAnimation(double duration) {
    activeOverlayAnimationWorkItem_.cancel();
    activeOverlayRepaintTimer_.cancel();
    const uint64_t token = ++activeOverlayAnimationToken_;
    activeOverlayAnimationInFlight_ = true;
    activeOverlayAnimationWorkItem_ = MainQueue::main().asyncAfter(
        duration, [this, token] { finishActiveOverlayAnimation(token); });
    activeOverlayRepaintTimer_ =
        MainQueue::main().scheduleRepeating(dragAnimationFrameInterval, [this] { update(); });
}

void OSDGridView::finishActiveOverlayAnimation(uint64_t token) {
    if (token != activeOverlayAnimationToken_) {
        return;
    }
    activeOverlayAnimationInFlight_ = false;
    activeOverlayAnimationWorkItem_ = WorkItem();
    activeOverlayRepaintTimer_.cancel();
    highlight_.removeAllAnimations();
    highlight_.hidden = true;
    update();
}

void OSDGridView::cancelActiveOverlayAnimation() {
    activeOverlayAnimationWorkItem_.cancel();
    activeOverlayAnimationWorkItem_ = WorkItem();
    activeOverlayRepaintTimer_.cancel();
    ++activeOverlayAnimationToken_;
    activeOverlayAnimationInFlight_ = false;
    highlight_.removeAllAnimations();
    highlight_.hidden = true;
}

void OSDGridView::animateDirectTransition(const OSDGridTransitionPlan& plan, double duration) {
    if (!displayedModel_) {
        return;
    }
    applyActiveCellFrame(plan.toFrame(), 1, *displayedModel_);
    highlight_.positionAnimation =
        OSDGridKeyframeTrack<Point>{{plan.fromFrame().center(), plan.toFrame().center()},
                                    {0, 1},
                                    {true},
                                    MainQueue::main().now(),
                                    duration};
}

void OSDGridView::animateWrappedTransition(const OSDGridTransitionPlan& plan, double duration) {
    if (!plan.exitFrame() || !plan.entryFrame() || !displayedModel_) {
        return;
    }
    applyActiveCellFrame(plan.toFrame(), 1, *displayedModel_);
    // Out past the edge while fading, an invisible jump to the far side, and back in.
    const std::vector<double> keyTimes{0, 0.5, 0.5001, 1};
    const double now = MainQueue::main().now();
    highlight_.positionAnimation =
        OSDGridKeyframeTrack<Point>{{plan.fromFrame().center(), plan.exitFrame()->center(),
                                     plan.entryFrame()->center(), plan.toFrame().center()},
                                    keyTimes,
                                    {true, false, true},
                                    now,
                                    duration};
    highlight_.opacityAnimation =
        OSDGridKeyframeTrack<float>{{1, 0, 0, 1}, keyTimes, {false, false, false}, now, duration};
}

} // namespace tessarin
