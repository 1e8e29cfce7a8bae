#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "PreviewsWorld.h"
#include "Support/BackgroundWork.h"
#include "Support/Environment.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Controller = OSDGridWindowSpaceController;

QImage picture(const QColor& color) {
    return CaptureContent::markedPicture(color, 32, 18);
}

// On the host's window list: Space 1 may draw window 5 (Notes), Space 2 window 6 (Notes),
// Space 3 nothing. Captures go to a handler that keeps their completions until the test answers.
struct CaptureBench {
    CaptureBench() {
        controller.previewCaptureAvailabilityProvider = [this] { return available; };
        controller.previewCaptureHandler = [this](const auto& candidates, const auto&,
                                                  auto completion) {
            handled.push_back(candidates);
            completions.push_back(std::move(completion));
        };
        controller.refreshMetadata(snapshotOf("D", {1, 2, 3}));
    }

    std::vector<OSDGridSpaceContext> request(std::set<SpaceID> spaces, bool force = false,
                                             const std::string& display = "D") {
        return controller.requestPreviewCaptures(
            snapshotOf(display, {1, 2, 3}), "D", std::nullopt, spaces, enabled, force,
            [this](const auto& c) { calls.push_back("request " + std::to_string(c.spaceID)); },
            [this](const auto& c) { calls.push_back("update " + std::to_string(c.spaceID)); },
            [this](const auto& c, bool stored) {
                calls.push_back("completion " + std::to_string(c.spaceID) + " " +
                                (stored ? "stored" : "kept"));
            });
    }

    OSDAppFilter filter;
    bool enabled = true;
    bool available = true;
    Controller controller{[this] { return filter; }};
    std::vector<std::vector<OSDGridWindowPreviewCandidate>> handled;
    std::vector<Controller::PreviewCaptureCompletion> completions;
    std::vector<std::string> calls;
};

class PreviewCaptureTest : public PreviewsWorld {
protected:
    std::vector<std::string> metrics() const { return log.messages("ScreenshotMetrics"); }

    ScopedEnvironmentOverride metricsOn{"TESSARIN_SCREENSHOT_METRICS", "1"};
    ScopedLogCapture log;
    CaptureBench bench;
    Controller& controller = bench.controller;
};

struct SkipCase {
    const char* name;
    std::function<void(CaptureBench&)> before;
    SpaceID space;
    bool force;
    const char* line;
};

TEST_F(PreviewCaptureTest, EachSkipWritesItsReasonAndStartsNothing) {
    const std::vector<SkipCase> cases{
        {"previews off", [](auto& t) { t.enabled = false; }, 1, false,
         "event=window.preview.skipped display=D reason=disabled"},
        {"a Space not in the layout", [](auto&) {}, 9, false,
         "event=window.preview.skipped display=D reason=missing-entry space=9"},
        {"captures unavailable", [](auto& t) { t.available = false; }, 1, false,
         "event=window.preview.skipped candidates=1 display=D reason=unavailable space=1"},
        {"forced while in flight", [](auto& t) { t.request({1}); }, 1, true,
         "event=window.preview.skipped display=D reason=in-flight space=1"},
        {"nothing changed",
         [](auto& t) {
             t.request({1});
             t.completions.back()(picture(Qt::red));
         },
         1, false,
         "event=window.preview.skipped candidates=1 display=D reason=signature-unchanged space=1"},
    };
    for (const SkipCase& c : cases) {
        CaptureBench t;
        c.before(t);
        const std::size_t started = t.handled.size();
        EXPECT_TRUE(t.request({c.space}, c.force).empty()) << c.name;
        EXPECT_EQ(t.handled.size(), started) << c.name;
        EXPECT_EQ(metrics().back(), c.line) << c.name;
    }
}

TEST_F(PreviewCaptureTest, WithoutMetadataForTheSpaceDisplayNothingIsAsked) {
    EXPECT_TRUE(bench.request({1}, true, "E").empty());
    EXPECT_EQ(metrics().back(), "event=window.preview.skipped display=D reason=missing-cache");
}

TEST_F(PreviewCaptureTest, ASpaceWithoutWindowsIsCapturedEvenWhenCapturesAreUnavailable) {
    bench.available = false;
    const auto started = bench.request({3});
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], (OSDGridSpaceContext{"D", 3, 2, 3}));
    EXPECT_TRUE(bench.handled.at(0).empty());
}

TEST_F(PreviewCaptureTest, OnlyANewPictureIsStoredAndAnnounced) {
    bench.request({1});
    bench.completions.back()(picture(Qt::red));
    bench.request({1}, true);
    bench.completions.back()(picture(Qt::red)); // same pixels, same windows
    bench.request({1}, true);
    bench.completions.back()(std::nullopt); // a failed capture
    EXPECT_EQ(bench.calls,
              (std::vector<std::string>{"request 1", "completion 1 stored", "update 1", "request 1",
                                        "completion 1 kept", "request 1", "completion 1 kept"}));
    EXPECT_FALSE(controller.isPreviewInFlight({"D", 1}));
    const auto previews = controller.previewMap("D", {1, 2});
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previews.at(0).image, picture(Qt::red));
    EXPECT_EQ(metrics().back().substr(0, 33), "event=window.preview.completed ca");
    EXPECT_NE(metrics().back().find("image=false space=1 stored=false"), std::string::npos);
}

TEST_F(PreviewCaptureTest, ACompletionAfterTheControllerWentDoesNothing) {
    auto gone = std::make_unique<Controller>([] { return OSDAppFilter(); });
    gone->refreshMetadata(snapshotOf("D", {1}));
    Controller::PreviewCaptureCompletion completion;
    gone->previewCaptureHandler = [&](const auto&, const auto&, auto c) { completion = c; };
    bool called = false;
    gone->requestPreviewCaptures(snapshotOf("D", {1}), "D", std::nullopt, {1}, true, false, {}, {},
                                 [&](const auto&, bool) { called = true; });
    gone.reset();
    ASSERT_TRUE(completion);
    completion(picture(Qt::red));
    EXPECT_FALSE(called);
}

TEST(PreviewRenderSignatureTest, AWindowsGeometryMattersItsIconDoesNot) {
    OSDGridWindowPreviewCandidate window{5, {0, 0, 100, 80}, 3};
    const auto before = Controller::renderSignature({window}, Rect(0, 0, 1440, 900));
    window.appIcon = picture(Qt::blue);
    EXPECT_EQ(Controller::renderSignature({window}, Rect(0, 0, 1440, 900)), before);
    window.bounds.origin.x += 1;
    EXPECT_NE(Controller::renderSignature({window}, Rect(0, 0, 1440, 900)), before);
}

TEST(PreviewCandidateFilterTest, MatchesNameOrTitleInAnyCase) {
    OSDGridWindowPreviewCandidate window{5, {0, 0, 100, 80}, 3};
    window.bundleIdentifier = "com.example.secret";
    window.appDisplayName = "Mail  App";
    window.windowTitle = " Inbox\n Today ";
    for (const auto& [entry, kept] : {std::pair<const char*, bool>{"MAIL APP", false},
                                      {"inbox today", false},
                                      {"secret", true},
                                      {"drafts", true}}) {
        const auto result = Controller::filteredPreviewCandidates({window}, OSDAppFilter({entry}));
        EXPECT_EQ(result.size(), kept ? 1u : 0u) << entry;
    }
}

TEST_F(PreviewCaptureTest, PlaceholdersShowNoPreviewAndReplacedSpacesKeepTheirs) {
    controller.recordPreview(picture(Qt::red), {}, 1, "D");
    EXPECT_TRUE(controller.previewMap("D", {0, 0}).empty());
    controller.remapPreviewSpaceIDs({{1, 7}}, "D");
    EXPECT_EQ(controller.previewMap("D", {0, 7}).count(1), 1u);
    controller.clearPreviews();
    EXPECT_TRUE(controller.previewMap("D", {7}).empty());
}

TEST_F(PreviewCaptureTest, PruningTheLastEntryOfADisplayDropsTheDisplay) {
    OSDAppFilter filter;
    Controller single{[&filter] { return filter; }};
    single.refreshMetadata(snapshotOf("D", {1})); // Mail's window stands for Space 1
    EXPECT_FALSE(single.pruneFilteredEntries());
    filter = OSDAppFilter({"mail"});
    EXPECT_TRUE(single.pruneFilteredEntries());
    EXPECT_TRUE(single.cacheByDisplayIdentifier().empty());
}

TEST(RemapEntriesTest, MovesOnlyRealReplacementsOverWhatIsThere) {
    const std::map<SpaceID, char> start{{1, 'a'}, {2, 'b'}};
    const std::vector<std::tuple<const char*, std::map<SpaceID, SpaceID>, std::map<SpaceID, char>>>
        cases{{"to zero", {{1, 0}}, start},
              {"from zero", {{0, 2}}, start},
              {"to itself", {{1, 1}}, start},
              {"nothing stored", {{3, 4}}, start},
              {"over another", {{1, 2}}, {{2, 'a'}}},
              {"to a new ID", {{2, 5}}, {{1, 'a'}, {5, 'b'}}}};
    for (const auto& [name, replacements, expected] : cases) {
        auto entries = start;
        const bool moved = Controller::remapEntries(entries, replacements);
        EXPECT_EQ(moved, entries != start) << name;
        EXPECT_EQ(entries, expected) << name;
    }
}

} // namespace
} // namespace tessarin
