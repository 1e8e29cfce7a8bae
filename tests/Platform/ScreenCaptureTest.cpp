#include "Platform/ScreenCapture/ScreenCapture.h"

#include "Platform/Accessibility.h"
#include "Platform/ScreenCapture/ApplicationIconDrawing.h"
#include "Platform/ScreenCapture/ApplicationIcons.h"
#include "Platform/ScreenCapture/ApplicationWindowTitles.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/DesktopPictureDrawing.h"
#include "Platform/ScreenCapture/DesktopPictures.h"
#include "Platform/ScreenCapture/WindowListDictionaries.h"
#include "Platform/SystemServices.h"
#include "PlatformWorld.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Display A holds window 5 (Notes, on the current Space 11) and window 6 (Mail, on Space 12).
Scenario captureScenario() {
    Scenario s = twoDisplays();
    s.applications.push_back({40, "com.example.notes", "Notes"});
    s.applications.push_back({41, "com.example.mail", "Mail"});
    ServerWindow notes;
    notes.number = 5;
    notes.ownerPID = 40;
    notes.ownerName = "Notes";
    notes.name = "List";
    notes.bounds = {400, 400, 200, 100};
    notes.spaces = {11};
    ServerWindow mail = notes;
    mail.number = 6;
    mail.ownerPID = 41;
    mail.ownerName = "Mail";
    mail.name = "Inbox";
    mail.bounds = {0, 0, 720, 450};
    mail.spaces = {12};
    s.windows = {notes, mail};
    s.previewServices.desktopPictures["UUID-A"] = {DesktopPictureState::present, 0x102030};
    return s;
}

class ScreenCaptureTest : public HostWorld {
protected:
    ScreenCaptureTest() : HostWorld(captureScenario()) { capture.setExecutor(executor); }

    ScreenCaptureResult captureWindow(WindowID window, int w = 40, int h = 30) {
        std::optional<ScreenCaptureResult> result;
        capture.captureWindow(window, w, h, [&](ScreenCaptureResult r) { result = std::move(r); });
        executor->runAll();
        return result.value_or(ScreenCaptureResult{});
    }
    ScreenCaptureResult captureDisplayA(std::set<std::string> excluded, int w = 144, int h = 90) {
        std::optional<ScreenCaptureResult> result;
        capture.captureDisplay(1, excluded, w, h, [&](ScreenCaptureResult r) { result = r; });
        executor->runAll();
        return result.value_or(ScreenCaptureResult{});
    }

    // Display A's picture, drawn from its colour, as a capture of 144 x 90 pixels shows it.
    static QColor pictureOfAAt(int x, int y) {
        QImage scaled(144, 90, CaptureContent::imageFormat);
        QPainter painter(&scaled);
        painter.drawImage(QRectF(0, 0, 144, 90),
                          DesktopPictureDrawing::draw(CaptureContent::colorFromRGB(0x102030),
                                                      DesktopPictures::pixelWidth,
                                                      DesktopPictures::pixelHeight));
        painter.end();
        return scaled.pixelColor(x, y);
    }

    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    ScreenCapture& capture = host.screenCapture();
};

TEST_F(ScreenCaptureTest, AWindowOnAnotherSpaceIsDrawnAtTheGivenSizeInsideATransparentMargin) {
    const ScreenCaptureResult result = captureWindow(6, 300, 200);
    ASSERT_TRUE(result.image);
    const int m = ScreenCapture::windowMargin;
    EXPECT_EQ(result.image->size(), QSize(300 + 2 * m, 200 + 2 * m));
    EXPECT_EQ(result.image->pixelColor(m - 1, m).alpha(), 0);
    const QColor mail = CaptureContent::windowColor(6, "Mail", "Inbox");
    EXPECT_EQ(result.image->pixelColor(m, m), mail);
    EXPECT_EQ(result.image->pixelColor(m + 299, m + 199), mail);
    EXPECT_EQ(result.image->pixelColor(m + 300, m + 199).alpha(), 0);
    const int largest = ScreenCapture::maximumPixelSize - 2 * m;
    EXPECT_TRUE(captureWindow(6, largest, 1).image);
    for (const auto& [w, h] : {std::pair{0, 10}, {10, 0}, {largest + 1, 10}}) {
        EXPECT_EQ(captureWindow(6, w, h).error, ScreenCaptureError::invalidSize) << w << "x" << h;
    }
}

TEST_F(ScreenCaptureTest, ARedrawnWindowComesOutInAnotherColour) {
    const QColor before = captureWindow(5).image->pixelColor(20, 20);
    capture.redrawWindow(5);
    const QColor after = captureWindow(5).image->pixelColor(20, 20);
    EXPECT_NE(before, after);
    EXPECT_EQ(after, CaptureContent::windowColor(5, "Notes", "List", 1));
}

TEST_F(ScreenCaptureTest, ADisplayShowsItsCurrentSpaceOverItsPictureScaledToThePixelSize) {
    const ScreenCaptureResult result = captureDisplayA({});
    ASSERT_TRUE(result.image);
    EXPECT_EQ(result.image->size(), QSize(144, 90));
    // Window 5 spans points 400...600 x 400...500: pixels 40...60 x 40...50 at a tenth.
    EXPECT_EQ(result.image->pixelColor(50, 45), CaptureContent::windowColor(5, "Notes", "List"));
    EXPECT_EQ(result.image->pixelColor(100, 80), pictureOfAAt(100, 80));
    EXPECT_EQ(result.image->pixelColor(10, 5), pictureOfAAt(10, 5));
}

TEST_F(ScreenCaptureTest, AnExcludedApplicationsWindowsAreLeftOut) {
    const ScreenCaptureResult result = captureDisplayA({"com.example.notes"});
    ASSERT_TRUE(result.image);
    EXPECT_EQ(result.image->pixelColor(50, 45), pictureOfAAt(50, 45));
}

TEST_F(ScreenCaptureTest, CompletionsWaitForTheExecutorAndArriveInTheOrderItRunsThem) {
    std::vector<WindowID> order;
    capture.captureWindow(5, 10, 10, [&](ScreenCaptureResult) { order.push_back(5); });
    capture.captureWindow(6, 10, 10, [&](ScreenCaptureResult) { order.push_back(6); });
    EXPECT_TRUE(order.empty());
    executor->runJob(1);
    executor->runJob(0);
    EXPECT_EQ(order, (std::vector<WindowID>{6, 5}));
}

struct RefusalCase {
    const char* name;
    std::function<void(Host&)> arrange;
    int pixelWidth;
    std::optional<ScreenCaptureError> error;
};

TEST_F(ScreenCaptureTest, RefusedCapturesBringAnErrorAndNoImage) {
    const std::vector<RefusalCase> cases{
        {"old system",
         [](Host& h) {
             h.system().setOperatingSystemVersion({13, 6, 0});
         },
         144, ScreenCaptureError::unsupportedSystem},
        {"no permission", [](Host& h) { h.system().setScreenCaptureAccess(false); }, 144,
         ScreenCaptureError::notPermitted},
        {"error on demand",
         [](Host& h) {
             h.screenCapture().setFault(ScreenCaptureOperation::display, ScreenCaptureFault::error);
         },
         144, ScreenCaptureError::failed},
        {"no image on demand",
         [](Host& h) {
             h.screenCapture().setFault(ScreenCaptureOperation::display,
                                        ScreenCaptureFault::noImage);
         },
         144, std::nullopt},
        {"size out of range", [](Host&) {}, ScreenCapture::maximumPixelSize + 1,
         ScreenCaptureError::invalidSize},
    };
    for (const RefusalCase& c : cases) {
        VirtualMainQueue caseQueue;
        Host caseHost(captureScenario(), caseQueue);
        caseHost.screenCapture().setExecutor(executor);
        c.arrange(caseHost);
        std::optional<ScreenCaptureResult> result;
        caseHost.screenCapture().captureDisplay(1, {}, c.pixelWidth, 90,
                                                [&](ScreenCaptureResult r) { result = r; });
        executor->runAll();
        ASSERT_TRUE(result) << c.name;
        EXPECT_FALSE(result->image) << c.name;
        EXPECT_EQ(result->error, c.error) << c.name;
    }
}

TEST_F(ScreenCaptureTest, ShareableContentListsDisplaysWindowsAndApplications) {
    std::optional<ShareableContentResult> result;
    capture.getShareableContent([&](ShareableContentResult r) { result = std::move(r); });
    executor->runAll();
    ASSERT_TRUE(result && result->content);
    EXPECT_EQ(result->content->displays.size(), 2u);
    ASSERT_EQ(result->content->windows.size(), 2u);
    EXPECT_EQ(result->content->windows[1].title, "Inbox");
    EXPECT_FALSE(result->content->windows[1].isOnScreen);
}

TEST_F(ScreenCaptureTest, WindowListDictionariesCarryTheServerKeysAndFaultsOnDemand) {
    WindowListDictionaries& list = host.windowListDictionaries();
    list.overrideKey(5, WindowListKey::ownerPID, std::nullopt);
    list.overrideKey(5, WindowListKey::alpha, PropertyValue(std::string("opaque")));
    const auto value = list.copyWindowInfo(WindowListOption::all, 0);
    ASSERT_TRUE(value && value->array());
    const PropertyDictionary& first = *value->array()->at(0).dictionary();
    EXPECT_FALSE(first.contains(WindowListKey::ownerPID));
    EXPECT_EQ(first.at(WindowListKey::alpha), PropertyValue(std::string("opaque")));
    const PropertyDictionary& second = *value->array()->at(1).dictionary();
    EXPECT_EQ(second.at(WindowListKey::bounds).member("Width")->doubleValue(), 720.0);
    EXPECT_EQ(second.at(WindowListKey::isOnscreen), PropertyValue(false));

    list.setShape(WindowListShape::notAnArray);
    EXPECT_FALSE(list.copyWindowInfo(WindowListOption::all, 0)->array());
    list.setShape(WindowListShape::missing);
    EXPECT_FALSE(list.copyWindowInfo(WindowListOption::all, 0));
}

TEST_F(ScreenCaptureTest, IconsPicturesAndTitlesFollowTheScenario) {
    EXPECT_EQ(host.applicationIcons().icon(40)->width(), 256);
    host.applicationIcons().setIcon(40, std::nullopt);
    EXPECT_FALSE(host.applicationIcons().icon(40));
    EXPECT_FALSE(host.applicationIcons().icon(12345)); // not running
    host.applicationIcons().setIcon(41, ApplicationIconSpec{0x00ff00, 16});
    EXPECT_EQ(*host.applicationIcons().icon(41),
              ApplicationIconDrawing::draw(QColor(0, 255, 0), 16));

    host.desktopPictures().setPicture("UUID-B", {DesktopPictureState::unreadable});
    const auto url = host.desktopPictures().desktopImageURL("UUID-B");
    ASSERT_TRUE(url);
    EXPECT_FALSE(host.desktopPictures().loadImage(*url));
    host.desktopPictures().setPicture("UUID-B", {DesktopPictureState::missing});
    EXPECT_FALSE(host.desktopPictures().desktopImageURL("UUID-B"));

    host.applicationWindowTitles().setTitles(41, {std::nullopt, "Inbox"});
    Accessibility& ax = host.accessibility();
    const AccessibilityElement app = ax.createApplication(41);
    EXPECT_FALSE(ax.copyAttributeValue(app, AccessibilityWindowAttribute::focusedWindow).value);
    const auto main = ax.copyAttributeValue(app, AccessibilityWindowAttribute::mainWindow);
    ASSERT_TRUE(main.value);
    const auto title =
        ax.copyAttributeValue(std::get<AccessibilityElement>(*main.value), "AXTitle");
    ASSERT_TRUE(title.value);
    EXPECT_EQ(accessibilityString(*title.value), "Inbox");
}

struct BadMemberCase {
    const char* name;
    const char* json;
    const char* field;
};

TEST(PreviewServicesScenarioTest, ABadMemberIsRefusedNamingFileAndField) {
    const std::vector<BadMemberCase> cases{
        {"icon colour", R"({"applicationIcons": {"40": "blue"}})", "applicationIcons.40"},
        {"icon size", R"({"applicationIcons": {"40": {"color": "#112233", "size": 0}}})",
         "applicationIcons.40.size"},
        {"icon key", R"({"applicationIcons": {"x": null}})", "applicationIcons.x"},
        {"picture", R"({"desktopPictures": {"UUID-A": "plaid"}})", "desktopPictures.UUID-A"},
        {"title", R"({"windowTitles": {"40": {"main": 3}}})", "windowTitles.40.main"},
        {"extras", R"({"windowListExtras": {}})", "windowListExtras"},
        {"fault", R"({"screenCapture": {"window": "sometimes"}})", "screenCapture.window"},
    };
    for (const BadMemberCase& c : cases) {
        Json json = scenarioToJson(captureScenario());
        json.update(Json::parse(c.json));
        const ScenarioParseResult result = parseScenario(json, "world.json");
        EXPECT_FALSE(result) << c.name;
        EXPECT_EQ(result.error.rfind(std::string("world.json: ") + c.field + ":", 0), 0u)
            << c.name << ": " << result.error;
    }
}

TEST(PreviewServicesScenarioTest, TheMembersReadBackAsWritten) {
    Scenario scenario = captureScenario();
    scenario.previewServices.applicationIcons[40] = std::nullopt;
    scenario.previewServices.applicationIcons[41] = ApplicationIconSpec{0xabcdef, 64};
    scenario.previewServices.desktopPictures["UUID-B"] = {DesktopPictureState::missing};
    scenario.previewServices.windowTitles[40] = {"List", std::nullopt};
    scenario.previewServices.windowListExtras = {PropertyValue(int64_t{3})};
    scenario.previewServices.captureFaults[ScreenCaptureOperation::window] =
        ScreenCaptureFault::noImage;
    const ScenarioParseResult result = parseScenario(scenarioToJson(scenario), "x");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.scenario->previewServices, scenario.previewServices);
}

} // namespace
} // namespace tessarin
