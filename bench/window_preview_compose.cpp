// Composing one Space's window preview: 16 window captures of 1600 x 1000 pixels laid over a
// 2880 x 1800 desktop picture into the 320 x 180 cell picture, as the background capture task
// does for every Space. Goal: under 15 ms median.

#include "Core/Previews/OSDGridWindowPreviewComposer.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

using namespace tessarin;

// Pictures with some structure, so scaling them is real work.
QImage picture(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromHsv((seed * 37) % 360, 120, 200));
    QPainter painter(&image);
    for (int band = 0; band < 8; ++band) {
        painter.fillRect(band * width / 8, band * height / 10, width / 5, height / 6,
                         QColor::fromHsv((seed * 71 + band * 23) % 360, 90, 230));
    }
    return image;
}

std::vector<OSDGridRenderableWindowPreview> sixteenWindows() {
    std::vector<OSDGridRenderableWindowPreview> previews;
    for (int i = 0; i < 16; ++i) {
        OSDGridRenderableWindowPreview preview;
        preview.windowID = static_cast<std::uint32_t>(100 + i);
        preview.image = picture(1600, 1000, i);
        preview.bounds = Rect(40.0 * i, 30.0 * i, 800, 500);
        preview.zIndex = 16 - i;
        preview.onScreenIndex = i;
        preview.area = 800.0 * 500.0;
        preview.bundleIdentifier = "com.example.app" + std::to_string(i);
        previews.push_back(std::move(preview));
    }
    return previews;
}

void BM_ComposeSixteenWindowsOverDesktopPicture(benchmark::State& state) {
    const auto previews = sixteenWindows();
    const std::optional<QImage> desktop = picture(2880, 1800, 99);
    const std::optional<Rect> displayFrame = Rect(0, 0, 1440, 900);
    for (auto _ : state) {
        auto image = OSDGridWindowPreviewComposer::compose(previews, desktop, displayFrame);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_ComposeSixteenWindowsOverDesktopPicture)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
