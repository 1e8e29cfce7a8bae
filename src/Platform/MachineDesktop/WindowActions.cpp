#include "Platform/MachineDesktop/WindowActions.h"

namespace tessarin {

namespace {

// The Motif window manager's hint bits.
constexpr uint32_t hintsFunctions = 1U << 0;
constexpr uint32_t hintsDecorations = 1U << 1;
constexpr uint32_t functionResize = 1U << 1;
constexpr uint32_t functionMove = 1U << 2;
constexpr uint32_t functionMinimise = 1U << 3;
constexpr uint32_t functionMaximise = 1U << 4;
constexpr uint32_t functionClose = 1U << 5;
constexpr uint32_t decorationBorder = 1U << 1;
constexpr uint32_t decorationResizeHandle = 1U << 2;
constexpr uint32_t decorationTitle = 1U << 3;
constexpr uint32_t decorationMinimise = 1U << 5;
constexpr uint32_t decorationMaximise = 1U << 6;

uint32_t when(bool allowed, uint32_t bits) {
    return allowed ? bits : 0;
}

} // namespace

std::array<uint32_t, 5> motifHintsOf(const WindowActions& actions) {
    const uint32_t functions = functionMove | when(actions.resize, functionResize) |
                               when(actions.miniaturise, functionMinimise) |
                               when(actions.zoom, functionMaximise) |
                               when(actions.close, functionClose);
    const uint32_t decorations =
        decorationBorder | decorationTitle | when(actions.resize, decorationResizeHandle) |
        when(actions.miniaturise, decorationMinimise) | when(actions.zoom, decorationMaximise);
    return {hintsFunctions | hintsDecorations, functions, decorations, 0, 0};
}

} // namespace tessarin
