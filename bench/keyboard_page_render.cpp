// Rebuilding the Keyboard page as every store revision does: two displays with separate Spaces,
// ten named direct slots and eight workspaces with shortcuts. Goal: under 8 ms median.

#include "BenchApplication.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace tessarin;
using tessarin::bench::application;

void renderKeyboardPage(benchmark::State& state) {
    application();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue(queue);
    Host host(Scenario::defaultScenario(), queue);
    ScopedCurrentHost current(host);
    const std::string menuBarDisplay = "4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90";
    for (int slot = 1; slot <= 10; ++slot) {
        DirectSlotMetadataStore::shared().setName("Desk " + std::to_string(slot), menuBarDisplay,
                                                  slot);
    }
    for (uint32_t i = 0; i < 8; ++i) {
        const Uuid id = WorkspaceShortcutStore::shared().addWorkspace().id;
        WorkspaceShortcutStore::shared().setShortcut(
            HotkeyCombination{18 + i, HotkeyModifier::command | HotkeyModifier::shift,
                              std::to_string(i + 1), std::to_string(i + 1)},
            false, id);
    }
    {
        KeyboardShortcutsViewController page;
        page.view()->resize(620, 700);
        page.view()->show();
        queue.runUntilIdle();
        for (auto _ : state) {
            page.renderPage();
            // What the event loop does next: lay the new rows out and drop the old ones.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    queue.runUntilIdle();
}
BENCHMARK(renderKeyboardPage)->Unit(benchmark::kMillisecond);

} // namespace
