// Drawing a shown grid of 16 Spaces with a screenshot in every cell, titles, badges and one
// covered Space into an image: the work of one pass of the OSD view. Goal: under 4 ms median.
// The first pass of a view scales every picture; later passes copy what it kept.

#include "BenchApplication.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "UI/OSD/OSDGridView.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using namespace tessarin;
using tessarin::bench::application;

// A screenshot-sized picture with some structure, so scaling it is real work.
QImage screenshotImage(int seed) {
    QImage image(480, 270, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromHsv((seed * 37) % 360, 120, 200));
    QPainter painter(&image);
    painter.fillRect(40, 30, 260, 180, QColor::fromHsv((seed * 71) % 360, 80, 240));
    painter.fillRect(0, 250, 480, 20, Qt::black);
    return image;
}

// Made once: a new showing reads the same pictures from the preview store.
OSDGridModel makeSixteenSpaces() {
    OSDGridModel::Fields fields{.spaceCount = 16, .activeIndex = 5, .columnCount = 4};
    for (int64_t i = 0; i < 16; ++i) {
        fields.cellTitles[i] = "Desktop " + std::to_string(i + 1);
        fields.cellScreenshots[i] = {screenshotImage(static_cast<int>(i))};
    }
    QImage icon(64, 64, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::darkCyan);
    const OSDGridAppIconEntry app{"com.example.app", "App", icon};
    fields.cellIconStacks = {{2, {app, app, app}}, {5, {app, app}}, {9, {app, app, app}}};
    fields.obscuredIndices = {11};
    return *OSDGridModel::make(std::move(fields));
}

const OSDGridModel& sixteenSpaces() {
    static const OSDGridModel model = makeSixteenSpaces();
    return model;
}

void showSixteenSpaces(OSDGridView& view) {
    view.resize(1104, 680);
    view.pendingPresentation = OSDGridPresentation::staticGrid(sixteenSpaces());
    view.renderPendingPresentation();
}

void drawInto(OSDGridView& view, QImage& target) {
    target.fill(Qt::transparent);
    QPainter painter(&target);
    view.drawGrid(painter);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
}

void drawSixteenCellGrid(benchmark::State& state) {
    application();
    VirtualMainQueue queue;
    ScopedMainQueue scoped(queue);
    OSDGridView view;
    showSixteenSpaces(view);
    QImage target(1104, 680, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        drawInto(view, target);
    }
}
BENCHMARK(drawSixteenCellGrid)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Argument 1: the new view takes over the pictures of the one before, as a new showing does.
void drawSixteenCellGridFirstPass(benchmark::State& state) {
    application();
    VirtualMainQueue queue;
    ScopedMainQueue scoped(queue);
    QImage target(1104, 680, QImage::Format_ARGB32_Premultiplied);
    auto previous = std::make_unique<OSDGridView>();
    showSixteenSpaces(*previous);
    drawInto(*previous, target);
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<OSDGridView>();
        showSixteenSpaces(*view);
        if (state.range(0) == 1) {
            view->adoptLayerCache(*previous);
        }
        state.ResumeTiming();
        drawInto(*view, target);
        previous = std::move(view);
    }
}
BENCHMARK(drawSixteenCellGridFirstPass)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
