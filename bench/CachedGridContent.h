#pragma once

#include "QuietSeams.h"

#include <QImage>
#include <QPainter>

namespace tessarin::bench {

// The caches of cell content with every one of the first 16 cells known: a title, an icon, a
// composed preview and a stack of three icons, whatever the display.
struct CachedWindowPreviews : QuietWindowPreviews {
    std::map<int64_t, OSDGridSpaceTitleEntry> titles;
    std::map<int64_t, OSDGridAppIconEntry> icons;
    std::map<int64_t, OSDGridScreenshotEntry> previews;
    std::map<int64_t, std::vector<OSDGridAppIconEntry>> stacks;
    std::function<void()> afterFirstRender;

    CachedWindowPreviews() {
        for (int64_t index = 0; index < 16; ++index) {
            QImage preview(320, 180, QImage::Format_ARGB32_Premultiplied);
            preview.fill(QColor::fromHsv(static_cast<int>(index * 37) % 360, 120, 200));
            QPainter(&preview).fillRect(30, 20, 200, 120, Qt::white);
            QImage icon(128, 128, QImage::Format_ARGB32_Premultiplied);
            icon.fill(QColor::fromHsv(static_cast<int>(index * 71) % 360, 200, 230));
            const OSDGridAppIconEntry app{"com.example.app" + std::to_string(index),
                                          "App " + std::to_string(index), icon};
            titles[index] = {"Window " + std::to_string(index), app.appDisplayName};
            icons[index] = app;
            previews[index] = {preview};
            stacks[index] = {app, app, app};
        }
    }
    std::map<int64_t, OSDGridSpaceTitleEntry>
    mappedTitleEntries(const std::string&, const std::vector<SpaceID>&) override {
        return titles;
    }
    std::map<int64_t, OSDGridAppIconEntry> mappedIconEntries(const std::string&,
                                                             const std::vector<SpaceID>&) override {
        return icons;
    }
    std::map<int64_t, OSDGridScreenshotEntry> previewMap(const std::string&,
                                                         const std::vector<SpaceID>&) override {
        return previews;
    }
    std::map<int64_t, std::vector<OSDGridAppIconEntry>>
    iconStackMap(const std::string&, const std::vector<SpaceID>&) override {
        return stacks;
    }
    std::function<void()>
    windowPreviewsAfterFirstRenderHandler(const std::optional<std::string>&,
                                          const DisplayPresentationSettingsSnapshot&,
                                          const OSDPresentationMetricsTraceRef&, int64_t) override {
        return afterFirstRender;
    }
};

} // namespace tessarin::bench
