#include "Core/Previews/OSDGridWindowDiagnostics.h"

#include "Support/Environment.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace Diagnostics = OSDGridWindowDiagnostics;
constexpr const char* kSwitch = "TESSARIN_WINDOW_DEBUG";

TEST(OSDGridWindowDiagnosticsTest, IsOnOnlyForTheSwitchWords) {
    for (const auto& [value, on] : {std::pair<std::optional<std::string>, bool>{" Yes\n", true},
                                    {"2", false},
                                    {"enabled", false},
                                    {"", false},
                                    {std::nullopt, false}}) {
        ScopedEnvironmentOverride debug(kSwitch, value);
        ScopedLogCapture log;
        Diagnostics::debugWindowRecords({}, "provider.raw");
        EXPECT_EQ(log.messages("WindowPreview").size(), on ? 1u : 0u) << value.value_or("absent");
    }
}

TEST(OSDGridWindowDiagnosticsTest, WritesEachSpaceOfTheDisplayInPaintOrder) {
    ScopedEnvironmentOverride debug(kSwitch, "1");
    ScopedLogCapture log;
    OSDGridWindowRecordFields back;
    back.windowID = 7;
    back.processIdentifier = 40;
    back.zIndex = 1;
    back.bounds = Rect(0, 0, 10, 20);
    back.ownerName = "Notes";
    back.title = "say \"hi\"\nnow";
    OSDGridWindowRecordFields front = back;
    front.windowID = 3;
    front.zIndex = 5;
    front.onScreenIndex = 0;
    front.isOnScreen = true;
    front.title.reset();
    Diagnostics::debugWindowsBySpaceID({{20, {front, back}}}, {{20, {7, 3}}}, {30, 20}, "D");

    const std::vector<std::string> expected{
        "event=window.records.by-space display=D visible=[20,30] spacesWithWindows=1",
        "event=window.records.space display=D space=20 count=2 previewWindowIDs=[3,7] "
        "order=paint-first-to-last",
        "event=window.record.space display=D space=20 index=0 previewCandidate=true id=7 pid=40 "
        "listIndex=1 onScreenIndex=nil layer=0 onScreen=false alpha=1.00 sharing=0 area=200.0 "
        "bounds={x=0.0 y=0.0 w=10.0 h=20.0} owner=\"Notes\" title=\"say \\\"hi\\\"\\nnow\"",
        "event=window.record.space display=D space=20 index=1 previewCandidate=true id=3 pid=40 "
        "listIndex=5 onScreenIndex=0 layer=0 onScreen=true alpha=1.00 sharing=0 area=200.0 "
        "bounds={x=0.0 y=0.0 w=10.0 h=20.0} owner=\"Notes\" title=\"\"",
        "event=window.records.space display=D space=30 count=0 previewWindowIDs=[] "
        "order=paint-first-to-last",
    };
    EXPECT_EQ(log.messages("WindowPreview"), expected);
}

TEST(OSDGridWindowDiagnosticsTest, WritesUnknownsForMissingIdentifiersAndFrames) {
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
