#include "UI/OSD/OSDGridWindowMetrics.h"

#include "UI/OSD/OSDGridLayout.h"

#include <algorithm>
#include <cmath>

namespace tessarin::OSDGridWindowMetrics {
namespace {

// The title band: 18 points at scale 1, the icon 0.8 of it.
constexpr double kTitleBand = 18;

std::optional<Rect> unionOfCells(const OSDGridModel& model, Size body, double inset) {
    const auto gridLayout = OSDGridLayout::make(model, body, inset);
    if (!gridLayout || gridLayout->frames().empty()) {
        return std::nullopt;
    }
    Rect result = gridLayout->frames().front();
    for (const Rect& frame : gridLayout->frames()) {
        result = result.united(frame);
    }
    return result;
}

double headerExtra(double scale, const Rect& cells, double bodyHeight) {
    return scale * kTitleBand * 0.8 + 2 * cells.minX() - (bodyHeight - cells.maxY());
}

double footerExtra(double scale, const Rect& cells) {
    return std::max(scale * kTitleBand * 0.8 + 2 * cells.minX() - cells.minY(), 0.0);
}

} // namespace

Size nominalBodySize(OSDGridSize size) {
    switch (size) {
    case OSDGridSize::medium:
        return {276, 232};
    case OSDGridSize::large:
        return {552, 464};
    case OSDGridSize::extraLarge:
        return {828, 696};
    }
    return {552, 464};
}

double chromeScale(double bodyWidth) {
    return std::max(bodyWidth / 276, 1.0);
}

Size gridBodySize(const OSDGridModel& model, OSDGridSize size, double renderingInset) {
    const Size nominal = nominalBodySize(size);
    const double extra = renderingInset >= 0 ? 2 * renderingInset : 0;
    const int64_t columns = std::max<int64_t>(std::min(model.spaceCount(), model.columnCount()), 1);
    const double available = nominal.width - 52 - 14 * static_cast<double>(columns - 1);
    if (available <= 0 || model.columnCount() <= 0) {
        return nominal;
    }
    const double rows = std::ceil(static_cast<double>(model.spaceCount()) /
                                  static_cast<double>(model.columnCount()));
    const double cellHeight = (available / static_cast<double>(columns)) / (16.0 / 9.0);
    const double height = rows * cellHeight + 16 + 14 * (rows - 1);
    return {nominal.width + extra, height + extra};
}

Size windowSize(const OSDGridModel& model, OSDGridSize size, bool showsFooter,
                double renderingInset) {
    const Size body = gridBodySize(model, size, renderingInset);
    const double scale = chromeScale(body.width);
    const auto cells = unionOfCells(model, body, renderingInset);
    const double header =
        cells ? std::max(headerExtra(scale, *cells, body.height), 0.0) : 42 * scale;
    double footer = 0;
    if (showsFooter) {
        footer = cells ? footerExtra(scale, *cells) : 48 * scale;
    }
    return {body.width, body.height + header + footer};
}

OSDGridWindowLayout layout(const Rect& bounds, bool showsFooter) {
    const double scale = chromeScale(bounds.width());
    const double footerBand = showsFooter ? 48 * scale : 0;
    OSDGridWindowLayout result;
    result.headerFrame = {bounds.minX(), bounds.maxY() - 30 * scale, bounds.width(), 18 * scale};
    if (showsFooter) {
        result.footerFrame =
            Rect{bounds.minX(), bounds.minY() + 12 * scale, bounds.width(), 24 * scale};
    }
    result.gridFrame = {bounds.minX(), bounds.minY() + footerBand, bounds.width(),
                        std::max(bounds.height() - 42 * scale - footerBand, 0.0)};
    return result;
}

OSDGridWindowLayout layout(const OSDGridModel& model, OSDGridSize size, Size window,
                           bool showsFooter, double renderingInset) {
    const Size body = gridBodySize(model, size, renderingInset);
    const auto cells = unionOfCells(model, body, renderingInset);
    if (!cells) {
        return layout(Rect{0, 0, window.width, window.height}, showsFooter);
    }
    const double scale = chromeScale(body.width);
    const double band = kTitleBand * scale;
    const double header = headerExtra(scale, *cells, body.height);
    const double footer = showsFooter ? footerExtra(scale, *cells) : 0;
    OSDGridWindowLayout result;
    result.headerFrame = {0, window.height - std::max(cells->minX() - 0.1 * band, 0.0) - band,
                          window.width, band};
    result.gridFrame = {0, footer, window.width,
                        std::max(window.height - std::max(header, 0.0) - footer, 0.0)};
    if (showsFooter) {
        result.footerFrame = Rect{0, 0, window.width, footer};
    }
    return result;
}

} // namespace tessarin::OSDGridWindowMetrics
