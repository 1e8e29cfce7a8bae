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
    drawBody(*appearance, model.isObscured(index), frame);
    if (emphasised) {
        OSDGridCellPainter::drawActiveEmphasis(pass_.canvas, frame, appearance->kind(),
                                               pass_.settings);
    }
    const std::vector<OSDGridAppIconEntry> badges = model.badgeIcons(index);
    if (const auto title = model.cellTitles().find(index); title != model.cellTitles().end()) {
        OSDGridCellPainter::drawTitle(
            pass_.canvas, title->second, frame, static_cast<int64_t>(badges.size()),
            OSDGridCellTitleStyle::attributes(index == model.activeIndex(), pass_.scaleMultiplier));
    }
    if (!badges.empty()) {
        std::vector<QImage> images;
        for (const OSDGridAppIconEntry& badge : badges) {
            if (!badge.icon.isNull()) {
                images.push_back(badge.icon);
            }
        }
        OSDGridCellStyle::drawScreenshotBadgeStack(images, frame, pass_.canvas);
    }
    return frame;
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
