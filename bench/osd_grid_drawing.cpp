// Drawing a shown grid of 16 Spaces with a screenshot in every cell, titles, badges and one
// covered Space into an image: the work of one pass of the OSD view. Goal: under 4 ms median.
// A pass copies the cell pictures kept from earlier passes, or made when a screenshot arrived;
// only a cell with neither scales its screenshot.

#include "BenchApplication.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "UI/OSD/OSDGridCellRenderer.h"
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

// Recorded once: new screenshots leave the icons as they are.
const QImage& appIcon() {
    static const QImage icon = [] {
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::darkCyan);
        return image;
    }();
    return icon;
}

OSDGridModel makeSixteenSpaces(int firstSeed) {
    OSDGridModel::Fields fields{.spaceCount = 16, .activeIndex = 5, .columnCount = 4};
    for (int64_t i = 0; i < 16; ++i) {
        fields.cellTitles[i] = "Desktop " + std::to_string(i + 1);
        fields.cellScreenshots[i] = {screenshotImage(firstSeed + static_cast<int>(i))};
    }
    const OSDGridAppIconEntry app{"com.example.app", "App", appIcon()};
    fields.cellIconStacks = {{2, {app, app, app}}, {5, {app, app}}, {9, {app, app, app}}};
    fields.obscuredIndices = {11};
    return *OSDGridModel::make(std::move(fields));
}

// Made once: a new showing reads the same pictures from the preview store.
const OSDGridModel& sixteenSpaces() {
    static const OSDGridModel model = makeSixteenSpaces(0);
    return model;
}

void showSixteenSpaces(OSDGridView& view, const OSDGridModel& model = sixteenSpaces()) {
    view.resize(1104, 680);
    view.pendingPresentation = OSDGridPresentation::staticGrid(model);
    view.renderPendingPresentation();
}

void drawInto(OSDGridView& view, QImage& target) {
    target.fill(Qt::transparent);
    QPainter painter(&target);
    view.drawGrid(painter);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
}

// The queue the views run on and the host whose symbols the cells draw (the covered cell's).
struct DrawingWorld {
    // First, so the application exists before anything else is made.
    QApplication& app = application();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
};

void drawSixteenCellGrid(benchmark::State& state) {
    DrawingWorld world;
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

// Every cell's body made when its screenshot arrived (on the preview executor in the program),
// for the cell where the grid was last drawn.
void prepareBodies(OSDGridView& drawnBefore, const OSDGridModel& arrived) {
    for (const auto& [index, entry] : arrived.cellScreenshots()) {
        if (const auto slot = drawnBefore.cellSlot(index)) {
            if (auto body = OSDGridCellRenderer::prepareScreenshotBody(*slot, entry.image)) {
                drawnBefore.offerPreparedCellPicture(index, std::move(*body));
            }
        }
    }
}

enum class FirstPass { newScreenshotsMadeReady, unchangedPictures, nothingKept };

// A new showing's view and its first pass. The grid was shown before; then new screenshots
// arrived and their cell pictures were made (newScreenshotsMadeReady), or nothing changed
// (unchangedPictures), or the view starts from nothing, as a display's very first grid does.
void drawFirstPass(benchmark::State& state, FirstPass kind) {
    DrawingWorld world;
    QImage target(1104, 680, QImage::Format_ARGB32_Premultiplied);
    auto previous = std::make_unique<OSDGridView>();
    showSixteenSpaces(*previous);
    drawInto(*previous, target);
    int seed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<OSDGridView>();
        if (kind == FirstPass::newScreenshotsMadeReady) {
            seed += 16;
            const OSDGridModel arrived = makeSixteenSpaces(seed);
            prepareBodies(*previous, arrived);
            view->adoptLayerCache(*previous);
            showSixteenSpaces(*view, arrived);
        } else {
            if (kind == FirstPass::unchangedPictures) {
                view->adoptLayerCache(*previous);
            }
            showSixteenSpaces(*view);
        }
        state.ResumeTiming();
        drawInto(*view, target);
        previous = std::move(view);
    }
}

void drawSixteenCellGridFirstPass(benchmark::State& state) {
    drawFirstPass(state, FirstPass::newScreenshotsMadeReady);
}
void drawSixteenCellGridFirstPassUnchanged(benchmark::State& state) {
    drawFirstPass(state, FirstPass::unchangedPictures);
}
void drawSixteenCellGridFirstPassNothingKept(benchmark::State& state) {
    drawFirstPass(state, FirstPass::nothingKept);
}
BENCHMARK(drawSixteenCellGridFirstPass)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(drawSixteenCellGridFirstPassUnchanged)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(drawSixteenCellGridFirstPassNothingKept)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
