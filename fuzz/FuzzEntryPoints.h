#pragma once

// Each function feeds arbitrary bytes to one decoder of stored or hand-written data, as the fuzz
// targets and the corpus replay test both do. A decoder may refuse any input; a crash, a
// sanitizer report or an escaping exception is the fault being looked for. What a decoder
// accepts must also be usable: a scenario builds a host, and stored values read back after they
// are written again (a broken round trip aborts).

#include "Hotkeys/HotkeyCombination.h"
#include "Model/Settings/DisplayPresentationSettingsStore.h"
#include "Model/Settings/GeneralSettingsNormalization.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Platform/Host.h"
#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tessarin::fuzz {

inline std::string_view asText(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

inline void fuzzOneScenario(const uint8_t* data, std::size_t size) {
    const auto result = parseScenarioText(asText(data, size), "fuzz.json");
    if (!result) {
        require(!result.error.empty(), "a refused scenario says why");
        return;
    }
    require(parseScenario(scenarioToJson(*result.scenario), "again").scenario == result.scenario,
            "a scenario reads back as itself");
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host(*result.scenario, queue);
}

inline void fuzzOneDefaultsFile(const uint8_t* data, std::size_t size) {
    const auto result = readDefaultsFileText(asText(data, size));
    if (!result.values) {
        require(!result.error.empty(), "a refused defaults file says why");
        return;
    }
    // Not compared: a stored NaN is never equal to itself.
    require(readDefaultsFileText(defaultsFileText(*result.values)).values.has_value(),
            "a defaults file reads back after a write");
}

// The defaults file as the settings, grid layouts and slot names of display "A" see it.
inline void fuzzOneStoredSettings(const uint8_t* data, std::size_t size) {
    auto result = readDefaultsFileText(asText(data, size));
    if (!result.values) {
        return;
    }
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    defaults.replaceAll(std::move(*result.values));
    GeneralSettingsNormalization::apply(defaults);
    Preferences preferences(defaults);
    GridModeStore grid(preferences);
    DisplayPresentationSettingsStore presentation(defaults);
    DirectSlotMetadataStore slots(defaults);
    DisplaySpaceOrderStore order(defaults, [&slots](const std::string& display) {
        return slots.highestNamedSlotIndex(display);
    });
    for (const std::optional<std::string>& display : {std::optional<std::string>(), {"A"}}) {
        (void)grid.columnCount(display);
        (void)grid.wrapStyle(display);
        (void)grid.usePlaceholders(display);
        (void)presentation.snapshot(display);
    }
    for (int slot = 1; slot <= 10; ++slot) {
        (void)slots.metadata("A", slot);
    }
    for (const bool placeholders : {false, true}) {
        (void)order.snapshot("A", {11, 12, 13}, 12, placeholders);
    }
}

inline void fuzzOneWorkspaces(const uint8_t* data, std::size_t size) {
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    defaults.set(WorkspaceShortcutStore::kStorageKey, Data(data, data + size));
    WorkspaceShortcutStore store(defaults);
    if (store.cachedWorkspaces().empty()) {
        return;
    }
    store.addWorkspace();
    require(WorkspaceShortcutStore(defaults).cachedWorkspaces() == store.cachedWorkspaces(),
            "a workspace list reads back as itself after a write");
}

inline void fuzzOneHotkey(const uint8_t* data, std::size_t size) {
    const auto combination = HotkeyCombination::decode({data, data + size});
    if (combination) {
        require(HotkeyCombination::decode(combination->encodedData()) == combination,
                "a hotkey reads back as itself");
    }
}

} // namespace tessarin::fuzz
