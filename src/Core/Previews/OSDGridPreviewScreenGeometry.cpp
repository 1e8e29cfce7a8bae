#include "Core/Previews/OSDGridPreviewScreenGeometry.h"

#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/ScreenCapture/DesktopPictures.h"

namespace tessarin {

namespace {

bool hasPositiveSize(const Rect& rect) {
    return rect.size.width > 0 && rect.size.height > 0;
}

} // namespace

std::optional<Rect> windowServerFrame(const std::optional<Screen>& screen,
                                      const DisplayServer& displays) {
    if (!screen) {
        return std::nullopt;
    }
    if (const auto displayID = tessarinDisplayID(*screen)) {
        if (const Rect bounds = displays.bounds(*displayID); hasPositiveSize(bounds)) {
            return bounds;
        }
    }
    if (!hasPositiveSize(screen->frame)) {
        return std::nullopt;
    }
    const auto main = displays.mainScreen();
    const double top = main ? main->frame.maxY() : screen->frame.maxY();
    return Rect(screen->frame.minX(), top - screen->frame.maxY(), screen->frame.width(),
                screen->frame.height());
}

double windowCaptureScaleFactor(const Rect& windowBounds, const DisplayServer& displays) {
    std::optional<Screen> best;
    double bestArea = 0;
    for (const auto& screen : displays.screens()) {
        const auto frame = windowServerFrame(screen, displays);
        if (!frame || !frame->intersects(windowBounds)) {
            continue;
        }
        const Rect overlap = frame->intersection(windowBounds);
        if (const double area = overlap.width() * overlap.height(); area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (best) {
        return best->backingScaleFactor;
    }
    const auto main = displays.mainScreen();
    return main ? main->backingScaleFactor : 1.0;
}

std::optional<QImage> desktopBackgroundImage(const std::optional<Screen>& screen,
                                             const DesktopPictures& pictures) {
    if (!screen) {
        return std::nullopt;
    }
    const auto url = pictures.desktopImageURL(screen->uuid);
    const auto image = url ? pictures.loadImage(*url) : std::nullopt;
    if (!image || image->isNull()) {
        return std::nullopt;
    }
    return image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::optional<QImage> DesktopBackgroundImages::image(const std::optional<Screen>& screen,
                                                     const DesktopPictures& pictures) {
    const auto url = screen ? pictures.desktopImageURL(screen->uuid) : std::nullopt;
    if (!url) {
        if (screen) {
            byScreen_.erase(screen->uuid);
        }
        return std::nullopt;
    }
    if (const auto kept = byScreen_.find(screen->uuid);
        kept != byScreen_.end() && kept->second.url == *url) {
        return kept->second.image;
    }
    auto loaded = desktopBackgroundImage(screen, pictures);
    if (loaded) {
        byScreen_.insert_or_assign(screen->uuid, Loaded{*url, *loaded});
    } else {
        byScreen_.erase(screen->uuid);
    }
    return loaded;
}

} // namespace tessarin
