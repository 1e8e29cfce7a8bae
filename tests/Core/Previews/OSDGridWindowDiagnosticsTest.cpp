#include "Core/Previews/OSDGridWindowDiagnostics.h"

#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "PreviewsWorld.h"
#include "Support/Environment.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace Diagnostics = OSDGridWindowDiagnostics;
constexpr const char* kSwitch = "TESSARIN_WINDOW_DEBUG";

// The window list as a refresh of display D reads it; Notes' window on Space 2 has a title
// that needs quoting.
Scenario diagnosticsScenario() {
    Scenario scenario = previewsScenario();
    scenario.windows[1].name = "say \"hi\"\nnow";
    return scenario;
}

class OSDGridWindowDiagnosticsTest : public PreviewsWorld {
protected:
    OSDGridWindowDiagnosticsTest() : PreviewsWorld(diagnosticsScenario()) {}

    std::vector<std::string> refreshLines() {
        ScopedLogCapture log;
        OSDGridWindowSpaceController controller([] { return OSDAppFilter(); });
        controller.refreshMetadata(snapshotOf("D", {1, 2, 3}));
        return log.messages("WindowPreview");
    }
};

TEST_F(OSDGridWindowDiagnosticsTest, IsOnOnlyForTheSwitchWords) {
    for (const auto& [value, on] : {std::pair<std::optional<std::string>, bool>{" Yes\n", true},
                                    {"2", false},
                                    {"enabled", false},
                                    {"", false},
                                    {std::nullopt, false}}) {
        ScopedEnvironmentOverride debug(kSwitch, value);
        EXPECT_EQ(refreshLines().empty(), !on) << value.value_or("absent");
    }
}

TEST_F(OSDGridWindowDiagnosticsTest, ARefreshWritesTheListThenEachVisibleSpaceInPaintOrder) {
    ScopedEnvironmentOverride debug(kSwitch, "1");
    const std::string notes = "id=5 pid=40 listIndex=0 onScreenIndex=0 layer=0 onScreen=true "
                              "alpha=1.00 sharing=1 area=120000.0 "
                              "bounds={x=100.0 y=100.0 w=400.0 h=300.0} owner=\"Notes\" "
                              "title=\"List\"";
    const std::string quoted = "id=6 pid=40 listIndex=1 onScreenIndex=nil layer=0 onScreen=false "
                               "alpha=1.00 sharing=1 area=200000.0 "
                               "bounds={x=0.0 y=0.0 w=500.0 h=400.0} owner=\"Notes\" "
                               "title=\"say \\\"hi\\\"\\nnow\"";
    const std::string mail = "id=7 pid=41 listIndex=2 onScreenIndex=1 layer=0 onScreen=true "
                             "alpha=1.00 sharing=1 area=300000.0 "
                             "bounds={x=50.0 y=50.0 w=600.0 h=500.0} owner=\"Mail\" "
                             "title=\"Inbox\"";
    const std::string space = "event=window.record.space display=D space=";
    // Mail's window is on Spaces 1 and 2, so it is no preview candidate; Space 3 has no window.
    const std::vector<std::string> expected{
        "event=window.records stage=provider.raw count=3",
        "event=window.record stage=provider.raw index=0 " + notes,
        "event=window.record stage=provider.raw index=1 " + quoted,
        "event=window.record stage=provider.raw index=2 " + mail,
        "event=window.records.by-space display=D visible=[1,2,3] spacesWithWindows=2",
        "event=window.records.space display=D space=1 count=2 previewWindowIDs=[5] "
        "order=paint-first-to-last",
        space + "1 index=0 previewCandidate=true " + notes,
        space + "1 index=1 previewCandidate=false " + mail,
        "event=window.records.space display=D space=2 count=2 previewWindowIDs=[6] "
        "order=paint-first-to-last",
        space + "2 index=0 previewCandidate=true " + quoted,
        space + "2 index=1 previewCandidate=false " + mail,
        "event=window.records.space display=D space=3 count=0 previewWindowIDs=[] "
        "order=paint-first-to-last",
    };
    EXPECT_EQ(refreshLines(), expected);
}

TEST(OSDGridWindowDiagnosticsFormatTest, WritesUnknownsForMissingIdentifiersAndFrames) {
    ScopedEnvironmentOverride debug(kSwitch, "true");
    ScopedLogCapture log;
    Diagnostics::debugRenderCandidates({}, "capture.input", std::nullopt, std::nullopt);
    OSDGridRenderableWindowPreview preview;
    preview.image = QImage(4, 3, QImage::Format_ARGB32);
    preview.appDisplayName = "C:\\Apps\r";
    Diagnostics::debugRenderablePreviews({preview}, "compose.draw-order", Rect(0, 0, 8, 6));
    Diagnostics::debugPreviewCandidates({OSDGridWindowPreviewCandidateFields()}, "preview.request",
                                        "D", 12, 3);

    const std::vector<std::string> expected{
        "event=window.preview.render-candidates stage=capture.input display=unknown "
        "displayFrame=nil count=0 order=paint-first-to-last",
        "event=window.preview.renderables stage=compose.draw-order "
        "displayFrame={x=0.0 y=0.0 w=8.0 h=6.0} count=1 order=paint-first-to-last",
        "event=window.preview.renderable stage=compose.draw-order index=0 id=unknown "
        "listIndex=0 onScreenIndex=nil area=0.0 bounds=nil size={w=4 h=3} bundle=\"\" "
        "app=\"C:\\\\Apps\\r\"",
        "event=window.preview.candidates stage=preview.request display=D space=12 visualIndex=3 "
        "count=1 order=paint-first-to-last",
        "event=window.preview.candidate stage=preview.request display=D space=12 index=0 id=0 "
        "listIndex=0 onScreenIndex=nil area=0.0 bounds={x=0.0 y=0.0 w=0.0 h=0.0} bundle=\"\" "
        "app=\"\" title=\"\"",
    };
    EXPECT_EQ(log.messages("WindowPreview"), expected);
}

} // namespace
} // namespace tessarin
