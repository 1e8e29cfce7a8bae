#include "UI/OSD/OSDGridTextShadow.h"

#include <QImage>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tessarin {

namespace {

std::vector<float> gaussianKernel(double sigma) {
    const int reach = std::max(1, static_cast<int>(std::ceil(sigma * 3)));
    std::vector<float> kernel(static_cast<std::size_t>(2 * reach + 1));
    float sum = 0;
    for (int i = -reach; i <= reach; ++i) {
        const auto weight = static_cast<float>(std::exp(-(i * i) / (2 * sigma * sigma)));
        kernel[static_cast<std::size_t>(i + reach)] = weight;
        sum += weight;
    }
    for (float& weight : kernel) {
        weight /= sum;
    }
    return kernel;
}

// Blurs the alpha of `mask` (an 8-bit alpha image) along rows, then along columns.
void blurAlpha(QImage& mask, double sigma) {
    const std::vector<float> kernel = gaussianKernel(sigma);
    const int reach = static_cast<int>(kernel.size() / 2);
    const int width = mask.width();
    const int height = mask.height();
    std::vector<float> pass(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto at = [&](int x, int y) -> float& {
        return pass[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < height; ++y) {
        const uchar* row = mask.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            float value = 0;
            for (int k = -reach; k <= reach; ++k) {
                const int source = std::clamp(x + k, 0, width - 1);
                value += kernel[static_cast<std::size_t>(k + reach)] * row[source];
            }
            at(x, y) = value;
        }
    }
    for (int y = 0; y < height; ++y) {
        uchar* row = mask.scanLine(y);
        for (int x = 0; x < width; ++x) {
            float value = 0;
            for (int k = -reach; k <= reach; ++k) {
                value += kernel[static_cast<std::size_t>(k + reach)] *
                         at(x, std::clamp(y + k, 0, height - 1));
            }
            row[x] = static_cast<uchar>(std::clamp(std::lround(value), 0L, 255L));
        }
    }
}

} // namespace

void drawTextShadow(QPainter& painter, const QRectF& box, int flags, const QString& text,
                    const QFont& font, const QColor& color, double blur, QPointF offset) {
    if (text.isEmpty() || box.isEmpty() || color.alpha() == 0) {
        return;
    }
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1;
    const double margin = std::ceil(std::max(blur, 0.0) * 1.5);
    const QRectF area = box.adjusted(-margin, -margin, margin, margin);
    QImage mask(static_cast<int>(std::ceil(area.width() * ratio)),
                static_cast<int>(std::ceil(area.height() * ratio)), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter writer(&mask);
        writer.scale(ratio, ratio);
        writer.setFont(font);
        writer.setPen(Qt::black);
        writer.drawText(QRectF(margin, margin, box.width(), box.height()), flags, text);
    }
    if (blur > 0) {
        blurAlpha(mask, blur / 2 * ratio);
    }
    QImage shadow(mask.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(color);
    {
        QPainter tint(&shadow);
        tint.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        tint.drawImage(0, 0, mask);
    }
    shadow.setDevicePixelRatio(ratio);
    painter.drawImage(area.topLeft() + offset, shadow);
}

} // namespace tessarin
