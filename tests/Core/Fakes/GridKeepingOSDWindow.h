#pragma once

// An OSD window that keeps what it shows per display (model, context, dismissal) and records
// every request in order, so a test can read back the grid a refresh left behind.

#include "Core/Fakes/RecordingSeams.h"
#include "Core/Seams/OSDWindowControlling.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::fakes {

class GridKeepingOSDWindow : public OSDWindowControlling {
public:
    struct Grid {
        OSDGridModel model;
        std::optional<OSDGridMouseInteractionContext> context;
        OSDDismissalBehavior dismissal = OSDDismissalBehavior::manual();
        bool additional = false;
    };
    std::map<std::optional<std::string>, Grid> grids;
    std::vector<std::string> calls;

    void show(const OSDPresentation& presentation, const DisplayOSDSettings&, bool,
              const OSDGridAppearanceSettings&, const OSDDismissalBehavior& dismissal,
              const std::optional<std::string>& display,
              const std::optional<OSDGridMouseInteractionContext>& context,
              const std::optional<OSDDismissalCallbacks>&, std::function<void()>,
              const OSDPresentationMetricsTraceRef&) override {
        calls.push_back("show " + describe(display));
        std::erase_if(grids, [](const auto& entry) { return !entry.second.additional; });
        grids.insert_or_assign(display, Grid{presentation.grid.model(), context, dismissal});
    }
    void showAdditionalGrid(const OSDPresentation& presentation, const DisplayOSDSettings&, bool,
                            const OSDGridAppearanceSettings&,
                            const std::optional<std::string>& display,
                            const std::optional<OSDGridMouseInteractionContext>& context,
                            std::function<void()>, const OSDPresentationMetricsTraceRef&) override {
        calls.push_back("additional " + describe(display));
        grids.insert_or_assign(display, Grid{presentation.grid.model(), context,
                                             OSDDismissalBehavior::manual(), true});
    }
    void refreshVisibleGrid(const OSDGridModel& model, const std::optional<std::string>& display,
                            bool, const OSDGridAppearanceSettings&,
                            const OSDGridInteractionContextUpdate& update,
                            const std::optional<OSDDismissalUpdate>&,
                            const OSDPresentationMetricsTraceRef&) override {
        using Kind = OSDGridInteractionContextUpdate::Kind;
        const char* kinds[] = {"replace", "replacePreserving", "preserve"};
        calls.push_back("refresh " + describe(display) + " " +
                        kinds[static_cast<int>(update.kind())]);
        const auto found = grids.find(display);
        if (found == grids.end()) {
            return;
        }
        found->second.model = model;
        if (update.kind() != Kind::preserve) {
            found->second.context = update.context();
        }
    }
    void hide(double duration) override {
        calls.push_back("hide " + std::to_string(duration).substr(0, 3));
        grids.clear();
    }
    void suspendForSyntheticEventPosting() override {
        calls.push_back("suspend");
        grids.clear();
    }
    bool isGridVisible(const std::optional<std::string>& display) const override {
        return grids.count(display) > 0;
    }
    std::vector<std::optional<std::string>> visibleGridDisplayIdentifiers() const override {
        std::vector<std::optional<std::string>> result;
        for (const auto& [display, grid] : grids) {
            result.push_back(display);
        }
        return result;
    }
    std::optional<OSDGridModel>
    currentGridModel(const std::optional<std::string>& display) const override {
        const auto found = grids.find(display);
        return found == grids.end() ? std::nullopt : std::optional(found->second.model);
    }
    std::optional<OSDGridMouseInteractionContext>
    currentGridMouseInteractionContext(const std::optional<std::string>& display) const override {
        const auto found = grids.find(display);
        return found == grids.end() ? std::nullopt : found->second.context;
    }
};

} // namespace tessarin::fakes
