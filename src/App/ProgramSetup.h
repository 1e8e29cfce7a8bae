#pragma once

#include "Platform/Scenario.h"
#include "UI/OSD/OSDWindowSnapshotError.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// True when a windowing system is reachable (DISPLAY or WAYLAND_DISPLAY is set).
bool hasDisplay();

// The scenario of "--scenario <file>", else the built-in default.
ScenarioParseResult programScenario(const std::vector<std::string>& arguments);

// The program's defaults file in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config), its folder made; none when there is no home to keep it in.
std::optional<std::filesystem::path> programDefaultsFile();

// The text after "Failed to write OSD snapshot to <path>: ".
std::string describeSnapshotFailure(const OSDWindowSnapshotFailure& failure);

} // namespace tessarin
