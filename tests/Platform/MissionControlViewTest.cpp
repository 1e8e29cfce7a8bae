#include "Platform/Applications/ApplicationOpener.h"
#include "Platform/Dock.h"
#include "Platform/MissionControl.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Platform/SystemServices.h"
#include "PlatformWorld.h"

#include <functional>

namespace tessarin {
namespace {

constexpr DisplayID kDisplayA = 1;
constexpr DisplayID kDisplayB = 2;
constexpr int32_t kEditorPID = 501;

using Shown = MissionControl::ShownSpace;

// Display A's Space 12 holds the editor's window "Draft"; a sticky palette is on all of A's.
Scenario withWindows() {
    Scenario scenario = twoDisplays();
    scenario.applications.push_back({kEditorPID, std::string("com.example.editor"), "Editor"});
    ServerWindow draft{0,   kEditorPID, "Editor", std::string("Draft"), Rect(100, 100, 400, 300), 0,
                       1.0, 1,          {12}};
    ServerWindow palette{
        0,   kEditorPID, "Editor", std::string("Palette"), Rect(1000, 600, 200, 150), 0,
        1.0, 1,          {11}};
    palette.isSticky = true;
    ServerWindow hidden{
        0, kEditorPID, "Editor", std::string("Hidden"), Rect(600, 100, 300, 300), 0, 1.0, 1, {12}};
    hidden.isOrderedOut = true;
    // The desktop's icons under every window, a menu-bar item over them: not an application's.
    ServerWindow icons{0,           kEditorPID, "Finder", std::nullopt, Rect(0, 0, 1440, 900),
                       -2147483603, 1.0,        1,        {11}};
    icons.isSticky = true;
    ServerWindow clock{0,   kEditorPID, "Clock", std::string("Clock"), Rect(1300, 0, 140, 24), 25,
                       1.0, 1,          {11}};
    clock.isSticky = true;
    scenario.windows = {draft, palette, hidden, icons, clock};
    return scenario;
}

class MissionControlViewTest : public HostWorld {
protected:
    MissionControlViewTest() : HostWorld(withWindows()) {
        token = missionControl().addObserver([this] { ++announcements; });
    }
    ~MissionControlViewTest() override { missionControl().removeObserver(token); }

    MissionControl& missionControl() { return host.missionControl(); }
    void openMissionControl() {
        missionControl().open();
        queue.advance(missionControl().openingDelay());
        ASSERT_TRUE(missionControl().isOpen());
    }
    // The pixel of a 1440 x 900 picture of display A at a point of the display.
    static QColor at(const QImage& picture, int x, int y) { return picture.pixelColor(x, y); }
    // The colour a window is drawn in; "" for the desktop's icons, which have no name.
    QColor colorOf(const std::string& name) {
        for (const ServerWindow& window : host.windowServer().windows()) {
            if (window.name.value_or("") == name) {
                return CaptureContent::windowColor(window.number, window.ownerName, name);
            }
        }
        ADD_FAILURE() << name;
        return {};
    }

    int announcements = 0;
    MissionControl::ObserverToken token = 0;
};

TEST_F(MissionControlViewTest, itShowsOnEveryDisplayTheSpacesOfThatDisplayNamedAsTheBarNamesThem) {
    EXPECT_TRUE(missionControl().shownDisplays().empty());
    EXPECT_FALSE(missionControl().shownSpaces(kDisplayA));
    openMissionControl();
    EXPECT_EQ(missionControl().shownDisplays(), (std::vector<DisplayID>{kDisplayA, kDisplayB}));
    EXPECT_TRUE(missionControl().isShownOn(kDisplayB));
    EXPECT_FALSE(missionControl().isShownOn(7));
    EXPECT_EQ(missionControl().shownSpaces(kDisplayA),
              (std::vector<Shown>{{11, "Desktop 1", true},
                                  {12, "Desktop 2", false},
                                  {13, "Full Screen", false},
                                  {14, "Desktop 3", false}}));
    EXPECT_EQ(missionControl().shownSpaces(kDisplayB),
              (std::vector<Shown>{{21, "Desktop 1", true}, {22, "Desktop 2", false}}));
    missionControl().close();
    EXPECT_FALSE(missionControl().isShownOn(kDisplayA));
    EXPECT_FALSE(missionControl().shownSpaces(kDisplayA));
}

TEST(SharedSpacesMissionControlView, everyDisplayShowsTheSharedList) {
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host(twoDisplays(false), queue);
    ScopedCurrentHost current{host};
    host.missionControl().open();
    queue.advance(host.missionControl().openingDelay());
    const std::vector<Shown> shared{{31, "Desktop 1", true}, {32, "Desktop 2", false}};
    EXPECT_EQ(host.missionControl().shownSpaces(kDisplayA), shared);
    EXPECT_EQ(host.missionControl().shownSpaces(kDisplayB), shared);
}

TEST_F(MissionControlViewTest, openingAndLeavingByEveryRoadIsAnnouncedOnALaterTurn) {
    const std::pair<const char*, std::function<void(Host&)>> roads[] = {
        {"its application", [](Host& h) { h.missionControl().open(); }},
        {"its application's file address",
         [](Host& h) { h.system().openURL("file:///System/Applications/Mission Control.app"); }},
        {"the window server", [](Host& h) { h.windowServer().setMissionControlOpen(true); }},
        {"the Dock's swipe up",
         [](Host& h) {
             h.events().physical().dockSwipe(GestureSwipeMotion::vertical, {-0.5}, kOnA);
         }},
    };
    for (const auto& [name, open] : roads) {
        SCOPED_TRACE(name);
        announcements = 0;
        open(host);
        queue.advance(missionControl().openingDelay());
        ASSERT_TRUE(missionControl().isOpen());
        EXPECT_EQ(announcements, 1);
        missionControl().close();
        EXPECT_EQ(announcements, 1) << "not inside the change";
        queue.runUntilIdle();
        EXPECT_EQ(announcements, 2);
    }
}

TEST_F(MissionControlViewTest, anotherApplicationsAddressOpensThatOneAndNotMissionControl) {
    for (const char* url : {"file:///Applications/Other.app", "file:///System/Applications/",
                            "https://example.com/Mission Control.app"}) {
        SCOPED_TRACE(url);
        host.system().openURL(url);
    }
    queue.advance(1.0);
    EXPECT_FALSE(missionControl().isOpen());
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(host.applications().openedPaths(),
              std::vector<std::string>{"/Applications/Other.app"});
}

TEST_F(MissionControlViewTest, spacesChangingWhileItShowsAreAnnouncedAndNotWhileHidden) {
    host.windowServer().addSpace("UUID-B");
    queue.runUntilIdle();
    EXPECT_EQ(announcements, 0);
    openMissionControl();
    announcements = 0;
    host.windowServer().addSpace("UUID-B");
    queue.runUntilIdle();
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(missionControl().shownSpaces(kDisplayB)->size(), 4u);
}

TEST_F(MissionControlViewTest, aClickedSpaceLeavesAtOnceAndTheDockGoesThereAfterItsAnimation) {
    openMissionControl();
    ASSERT_TRUE(missionControl().switchToSpace(kDisplayA, 14));
    EXPECT_FALSE(missionControl().isOpen());
    EXPECT_EQ(current("UUID-A"), 11u) << "the Dock's animation still runs";
    EXPECT_EQ(host.dock().pendingSwitchCount(), 1u);
    queue.advance(host.dock().animationDuration());
    EXPECT_EQ(current("UUID-A"), 14u);
    EXPECT_EQ(current("UUID-B"), 21u);
    EXPECT_EQ(host.dock().spaceChanges(),
              (std::vector<Dock::SpaceChange>{{"UUID-A", 11, 14, std::nullopt}}));
}

TEST_F(MissionControlViewTest, aSpaceThatDisplayDoesNotShowGoesNowhere) {
    const std::tuple<const char*, bool, DisplayID, SpaceID> cases[] = {
        {"closed", false, kDisplayA, 12},
        {"another display's Space", true, kDisplayA, 22},
        {"an unknown Space", true, kDisplayB, 99},
        {"an unknown display", true, 7, 12},
    };
    for (const auto& [name, open, display, space] : cases) {
        SCOPED_TRACE(name);
        if (open) {
            openMissionControl();
        }
        EXPECT_FALSE(missionControl().switchToSpace(display, space));
        EXPECT_EQ(missionControl().isOpen(), open);
        queue.advance(1.0);
        EXPECT_EQ(current("UUID-A"), 11u);
        EXPECT_EQ(current("UUID-B"), 21u);
        missionControl().close();
    }
}

TEST_F(MissionControlViewTest, aSpaceRemovedDuringTheAnimationChangesNothing) {
    openMissionControl();
    ASSERT_TRUE(missionControl().switchToSpace(kDisplayA, 14));
    ASSERT_TRUE(host.windowServer().removeSpace(14));
    queue.advance(1.0);
    EXPECT_EQ(current("UUID-A"), 11u);
    EXPECT_TRUE(host.dock().spaceChanges().empty());
}

TEST_F(MissionControlViewTest, eachSpacesPictureShowsItsOwnWindowsOverTheDesktopPicture) {
    EXPECT_FALSE(missionControl().spacePicture(kDisplayA, 12, 1440, 900)) << "closed";
    openMissionControl();
    const auto draft = missionControl().spacePicture(kDisplayA, 12, 1440, 900);
    const auto first = missionControl().spacePicture(kDisplayA, 11, 1440, 900);
    ASSERT_TRUE(draft && first);
    ASSERT_EQ(draft->size(), QSize(1440, 900));
    EXPECT_EQ(at(*draft, 300, 250), colorOf("Draft")) << "on a Space that is not current";
    EXPECT_NE(at(*first, 300, 250), colorOf("Draft"));
    for (const QImage* picture : {&*draft, &*first}) {
        EXPECT_EQ(at(*picture, 1100, 700), colorOf("Palette")) << "sticky: on every Space";
        EXPECT_NE(at(*picture, 750, 250), colorOf("Hidden")) << "ordered out: on none";
        EXPECT_NE(at(*picture, 1370, 10), colorOf("Clock")) << "above the applications";
        EXPECT_NE(at(*picture, 5, 890), colorOf("")) << "the desktop's icons are under it";
    }
    // At another size it scales; outside what it shows it draws nothing.
    const auto small = missionControl().spacePicture(kDisplayA, 12, 144, 90);
    ASSERT_TRUE(small);
    EXPECT_EQ(at(*small, 30, 25), colorOf("Draft"));
    EXPECT_FALSE(missionControl().spacePicture(kDisplayB, 12, 144, 90));
    EXPECT_FALSE(missionControl().spacePicture(kDisplayA, 12, 0, 90));
}

TEST_F(MissionControlViewTest, itsPicturesNeedNoScreenRecordingPermission) {
    host.system().setScreenCaptureAccess(false);
    openMissionControl();
    EXPECT_TRUE(missionControl().spacePicture(kDisplayA, 12, 144, 90));
}

} // namespace
} // namespace tessarin
