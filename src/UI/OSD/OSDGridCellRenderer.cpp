#include "UI/OSD/OSDGridCellRenderer.h"

#include "UI/OSD/OSDGridCellPainter.h"
#include "UI/OSD/OSDGridCellStyle.h"
#include "UI/OSD/OSDGridCellTitleStyle.h"

namespace tessarin {

namespace {

using Kind = OSDGridCellAppearance::Kind;

constexpr double emphasisScale = 1.018;

Rect scaledAboutCentre(const Rect& frame, double scale) {
    const double width = frame.width() * scale;
    const double height = frame.height() * scale;
    return {frame.midX() - width / 2, frame.midY() - height / 2, width, height};
}

// The first entry of every cache key, so parts never share a picture.
constexpr int64_t kBodyLayer = 1;
constexpr int64_t kEmphasisLayer = 2;
constexpr int64_t kBadgeLayer = 3;

// How far a badge's shadow reaches past the badge.
constexpr double kBadgeShadowReach = 7;

OSDGridLayerCache::Key bodyKey(const OSDGridCellAppearance& appearance, bool obscured, int tint,
                               Appearance tone) {
    const QImage* image = appearance.screenshot() ? &appearance.screenshot()->image
                          : appearance.icon()     ? &appearance.icon()->icon
                                                  : nullptr;
    return {kBodyLayer,
            static_cast<int64_t>(appearance.kind()),
            obscured ? 1 : 0,
            image ? OSDGridLayerCache::imageKey(*image) : 0,
            tint,
            static_cast<int64_t>(tone)};
}

bool isActiveKind(Kind kind) {
    return kind == Kind::activeScreenshot || kind == Kind::activeIcon || kind == Kind::activeFill;
}

bool isEmphasisKind(Kind kind) {
    return kind == Kind::activeScreenshot || kind == Kind::activeIcon ||
           kind == Kind::emptyPlaceholder || kind == Kind::activeFill;
}

} // namespace

bool OSDGridCellRenderer::isEmphasised(const OSDGridModel& model, int64_t index) const {
    const auto appearance = model.appearance(index);
    return index == model.activeIndex() && !pass_.highlightAnimating && appearance &&
           isEmphasisKind(appearance->kind());
}

std::optional<Rect> OSDGridCellRenderer::drawCell(const OSDGridModel& model, int64_t index,
                                                  Rect frame) const {
    const auto appearance = model.appearance(index);
    if (!appearance) {
        return std::nullopt;
    }
    const bool emphasised = isEmphasised(model, index);
    if (emphasised) {
        frame = scaledAboutCentre(frame, emphasisScale);
    }
    const OSDGridCellAppearance& shown = *appearance;
    const bool obscured = model.isObscured(index);
    drawLayer(
        bodyKey(shown, obscured, pass_.settings.previewTint.rawValue, pass_.appearance), frame,
        [&](const OSDGridCanvas& canvas) { withCanvas(canvas).drawBody(shown, obscured, frame); });
    if (emphasised) {
        const OSDGridAppearanceSettings& settings = pass_.settings;
        const double reach =
            settings.activeSpaceGlowSpread.rawValue + settings.activeSpaceBorderWidth.rawValue + 1;
        drawLayer({kEmphasisLayer, static_cast<int64_t>(shown.kind()),
                   static_cast<int64_t>(settings.activeColor.color().rgba()),
                   settings.activeSpaceBorderWidth.rawValue,
                   settings.activeSpaceGlowSpread.rawValue,
                   settings.activeSpaceGlowOpacity.rawValue},
                  frame.insetBy(-reach, -reach), [&](const OSDGridCanvas& canvas) {
                      OSDGridCellPainter::drawActiveEmphasis(canvas, frame, shown.kind(), settings);
                  });
    }
    const std::vector<OSDGridAppIconEntry> badges = model.badgeIcons(index);
    if (const auto title = model.cellTitles().find(index); title != model.cellTitles().end()) {
        auto attributes =
            OSDGridCellTitleStyle::attributes(index == model.activeIndex(), pass_.scaleMultiplier);
        if (!obscured && (shown.screenshot() || shown.icon())) {
            attributes.plateColor = OSDGridCellTitleStyle::plateColor();
        }
        OSDGridCellPainter::drawTitle(pass_.canvas, title->second, frame,
                                      static_cast<int64_t>(badges.size()), attributes);
    }
    drawBadges(badges, frame);
    return frame;
}

void OSDGridCellRenderer::drawBadges(const std::vector<OSDGridAppIconEntry>& badges,
                                     const Rect& frame) const {
    std::vector<QImage> images;
    OSDGridLayerCache::Key key{kBadgeLayer};
    for (const OSDGridAppIconEntry& badge : badges) {
        if (!badge.icon.isNull()) {
            images.push_back(badge.icon);
            key.push_back(OSDGridLayerCache::imageKey(badge.icon));
        }
    }
    const std::vector<Rect> frames =
        OSDGridCellStyle::screenshotBadgeStackFrames(frame, static_cast<int64_t>(images.size()));
    if (frames.empty()) {
        return;
    }
    Rect bounds = frames.front();
    for (const Rect& badge : frames) {
        bounds = bounds.united(badge);
    }
    drawLayer(std::move(key), bounds.insetBy(-kBadgeShadowReach, -kBadgeShadowReach),
              [&](const OSDGridCanvas& canvas) {
                  OSDGridCellStyle::drawScreenshotBadgeStack(images, frame, canvas);
              });
}

void OSDGridCellRenderer::drawLayer(OSDGridLayerCache::Key key, const Rect& bounds,
                                    const OSDGridLayerCache::Painting& paint) const {
    if (pass_.cache == nullptr) {
        paint(pass_.canvas);
        return;
    }
    pass_.cache->draw(pass_.canvas, std::move(key), bounds, paint);
}

OSDGridCellRenderer OSDGridCellRenderer::withCanvas(const OSDGridCanvas& canvas) const {
    return OSDGridCellRenderer({canvas, pass_.settings, pass_.appearance, pass_.scaleMultiplier,
                                pass_.highlightAnimating, nullptr});
}

OSDGridCellSlot OSDGridCellRenderer::slotOf(const OSDGridModel& model, int64_t index,
                                            const Rect& drawnFrame) const {
    const QPainter& painter = pass_.canvas.painter();
    const auto appearance = model.appearance(index);
    return {drawnFrame,
            pass_.canvas.viewHeight(),
            painter.deviceTransform(),
            painter.renderHints(),
            appearance ? appearance->kind() : Kind::emptyPlaceholder,
            model.isObscured(index),
            pass_.settings,
            pass_.appearance};
}

std::optional<OSDGridPreparedCellPicture>
OSDGridCellRenderer::prepareScreenshotBody(const OSDGridCellSlot& slot, const QImage& picture) {
    // An outline shows no picture, and a covered cell shows the cover whatever it holds: the
    // cover's symbol is the host's, which only the main thread may look up.
    if (slot.kind == Kind::emptyPlaceholder || slot.kind == Kind::virtualDestination ||
        slot.obscured || picture.isNull()) {
        return std::nullopt;
    }
    // The cell keeps its place and activity; only what it shows changes.
    const OSDGridCellAppearance shown = isActiveKind(slot.kind)
                                            ? OSDGridCellAppearance::activeScreenshot({picture})
                                            : OSDGridCellAppearance::inactiveScreenshot({picture});
    const auto placement =
        OSDGridLayerCache::place(slot.device, OSDGridCanvas::qtRect(slot.frame, slot.viewHeight));
    if (!placement) {
        return std::nullopt;
    }
    OSDGridLayerCache::Key key =
        bodyKey(shown, slot.obscured, slot.settings.previewTint.rawValue, slot.tone);
    key.insert(key.end(), placement->geometry.begin(), placement->geometry.end());
    QImage image = OSDGridLayerCache::paintPicture(
        *placement, slot.hints, slot.viewHeight, [&](const OSDGridCanvas& canvas) {
            OSDGridCellRenderer({canvas, slot.settings, slot.tone, 1, false, nullptr})
                .drawBody(shown, slot.obscured, slot.frame);
        });
    return OSDGridPreparedCellPicture{std::move(key), std::move(image)};
}

void OSDGridCellRenderer::drawVirtualDestinationCell(const OSDGridModel& model, int64_t index,
                                                     const Rect& frame) const {
    if (const auto appearance = model.appearance(index)) {
        drawContent(*appearance, frame);
    }
}

void OSDGridCellRenderer::drawEmptyPlaceholder(const Rect& frame) const {
    OSDGridCellPainter::drawEmptyPlaceholder(pass_.canvas, frame, Kind::emptyPlaceholder,
                                             pass_.appearance);
}

void OSDGridCellRenderer::drawBody(const OSDGridCellAppearance& appearance, bool obscured,
                                   const Rect& frame) const {
    const Kind kind = appearance.kind();
    const bool outlineOnly = kind == Kind::emptyPlaceholder || kind == Kind::virtualDestination;
    if (!obscured || outlineOnly) {
        drawContent(appearance, frame);
        return;
    }
    OSDGridCellPainter::drawObscuredFill(pass_.canvas, frame, kind);
    drawScrimAndHairline(kind, frame);
}

void OSDGridCellRenderer::drawContent(const OSDGridCellAppearance& appearance,
                                      const Rect& frame) const {
    const Kind kind = appearance.kind();
    switch (kind) {
    case Kind::inactiveScreenshot:
    case Kind::activeScreenshot:
        OSDGridCellPainter::drawImage(pass_.canvas, appearance.screenshot()->image, frame, kind);
        break;
    case Kind::inactiveIcon:
    case Kind::activeIcon:
        OSDGridCellPainter::drawImage(pass_.canvas, appearance.icon()->icon, frame, kind);
        break;
    case Kind::inactivePlaceholder:
        OSDGridCellPainter::drawRoundedFill(pass_.canvas, frame, kind,
                                            OSDGridCellStyle::placeholderFillColor());
        break;
    case Kind::activeFill:
        OSDGridCellPainter::drawRoundedFill(pass_.canvas, frame, kind,
                                            OSDGridCellStyle::activeFillColor());
        break;
    case Kind::emptyPlaceholder:
        OSDGridCellPainter::drawEmptyPlaceholder(pass_.canvas, frame, kind, pass_.appearance);
        return;
    case Kind::virtualDestination:
        OSDGridCellPainter::drawVirtualDestination(pass_.canvas, frame, kind, pass_.appearance);
        return;
    }
    drawScrimAndHairline(kind, frame);
}

void OSDGridCellRenderer::drawScrimAndHairline(Kind kind, const Rect& frame) const {
    OSDGridCellPainter::drawLowerScrim(pass_.canvas, frame, kind,
                                       pass_.settings.previewTint.rawValue);
    OSDGridCellPainter::drawCellInnerStroke(pass_.canvas, frame, kind);
}

} // namespace tessarin
