#include "Core/Previews/OSDGridWindowPreviewComposer.h"

namespace tessarin::OSDGridWindowPreviewComposer {

namespace {

// Pixels at or below this alpha count as the capture's transparent margin.
constexpr int kTransparentAlpha = 4;
constexpr int kKeptMargin = 2;

struct OpaqueBox {
    int left;
    int top;
    int right; // inclusive
    int bottom;
};

std::optional<OpaqueBox> opaqueBox(const QImage& image) {
    std::optional<OpaqueBox> box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) <= kTransparentAlpha) {
                continue;
            }
            if (!box) {
                box = OpaqueBox{x, y, x, y};
            }
            box->left = std::min(box->left, x);
            box->right = std::max(box->right, x);
            box->top = std::min(box->top, y);
            box->bottom = y;
        }
    }
    return box;
}

// The box as a read-only window onto the capture's own pixels, which it keeps alive: a
// full-size capture is not copied only to cut off its margins.
QImage boxOf(const QImage& pixels, const OpaqueBox& box) {
    auto* owner = new QImage(pixels);
    const uchar* first =
        owner->constScanLine(box.top) + static_cast<qsizetype>(box.left) * owner->depth() / 8;
    QImage view(
        first, box.right - box.left + 1, box.bottom - box.top + 1, owner->bytesPerLine(),
        owner->format(), [](void* kept) { delete static_cast<QImage*>(kept); }, owner);
    if (view.isNull()) {
        delete owner; // a view that was not made never calls its clean-up
    }
    return view;
}

} // namespace

QImage normalizedWindowCaptureImage(const QImage& image) {
    if (image.width() <= 1 || image.height() <= 1) {
        return image;
    }
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (pixels.isNull()) {
        return image;
    }
    const auto box = opaqueBox(pixels);
    if (!box) {
        return image;
    }
    const bool hasWideMargin = box->left > kKeptMargin || box->top > kKeptMargin ||
                               pixels.width() - 1 - box->right > kKeptMargin ||
                               pixels.height() - 1 - box->bottom > kKeptMargin;
    if (!hasWideMargin) {
        return image;
    }
    const QImage trimmed = boxOf(pixels, *box);
    return trimmed.isNull() ? image : trimmed;
}

} // namespace tessarin::OSDGridWindowPreviewComposer
