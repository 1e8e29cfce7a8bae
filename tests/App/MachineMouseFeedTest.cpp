// The machine's mouse as the host's, as the program wires it: the host's displays shown on a
// 1920 x 1080 screen of the machine, a window of the program somewhere on it.

#include "Platform/MachineInput/MachineMouseFeed.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/EventTap.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineInput/MachineKeyboardFeed.h"
#include "Platform/MachineInput/MachinePointer.h"
#include "Platform/MachineScreen.h"
#include "Platform/Scenario.h"
#include "Platform/StatusBar/HostMenuBarPlace.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "TestApplication.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace tessarin {
namespace {

void ensureApplication() {
    testing::ensureTestApplication();
}

// The built-in host on a virtual main queue with the machine's input session, as the program
// wires them; every fixture here stands on one.
struct HostWorld {
    struct ApplicationReady {
        ApplicationReady() { ensureApplication(); }
    } applicationReady;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    MachineInputSession session{host.events()};
};

// The built-in host's displays span 4072 points; the screen shows them at 1920 / 4072.
constexpr double kScale = 1920.0 / 4072.0;
constexpr DisplayID kBuiltIn = 1;
constexpr DisplayID kStudio = 3;

struct PointerCase {
    std::string name;
    QPoint windowAt;                  // the window's top-left corner on the machine's screen
    bool clicked;                     // a click, else a move over the window
    QPoint at;                        // in the window
    std::optional<DisplayID> display; // where the host's pointer goes; none: it stays
};

// CTest's listing names the row, not its bytes.
void PrintTo(const PointerCase& row, std::ostream* out) {
    *out << row.name;
}

class MachinePointerTest : public ::testing::TestWithParam<PointerCase>, protected HostWorld {
protected:
    MachinePointerTest() {
        MachineScreen::of(host).setArea(Rect{0, 0, 1920, 1080});
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setMouseTracking(true);
        window.setGeometry(QRect(GetParam().windowAt, QSize(200, 200)));
        window.show();
    }
    Point hostPointer() { return host.displays().cursorLocation(); }

    MachineMouseFeed feed{session, host};
    QWidget window;
};

TEST_P(MachinePointerTest, TheHostsPointerFollowsWhereItLiesOnADisplay) {
    const PointerCase& c = GetParam();
    const Point before = hostPointer();
    if (c.clicked) {
        QTest::mouseClick(&window, Qt::LeftButton, {}, c.at);
    } else {
        QTest::mouseMove(&window, c.at);
    }
    queue.runUntilIdle();
    const QPoint machine = window.mapToGlobal(c.at);
    if (!c.display) {
        EXPECT_EQ(hostPointer(), before);
        return;
    }
    EXPECT_NEAR(hostPointer().x, machine.x() / kScale, 1e-6);
    EXPECT_NEAR(hostPointer().y, machine.y() / kScale, 1e-6);
    EXPECT_EQ(host.displays().displaysWithPoint(hostPointer()), std::vector<DisplayID>{*c.display});
    if (c.clicked) {
        const auto downs = host.events().frontApplicationEvents(EventType::leftMouseDown);
        ASSERT_EQ(downs.size(), 1u);
        EXPECT_EQ(downs[0].location, hostPointer()) << "the click lands where the pointer is";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MachinePointerTest,
    ::testing::Values(
        PointerCase{"AClickOverTheSecondDisplaysImage", {1400, 200}, true, {100, 100}, kStudio},
        PointerCase{"AMoveOverTheFirstDisplaysImage", {100, 100}, false, {50, 60}, kBuiltIn},
        PointerCase{"AClickBelowTheDisplaysImages", {100, 700}, true, {100, 100}, std::nullopt}),
    [](const auto& info) { return info.param.name; });

// The status item's stand-in and its menu lie in the host's menu bar, on the menu-bar display,
// whichever display's image the machine shows them over.
struct MenuBarPointerCase {
    std::string name;
    QPoint windowAt;
    bool clicked;
    bool overAChild; // a widget inside the marked window
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const MenuBarPointerCase& row, std::ostream* out) {
    *out << row.name;
}

class HostMenuBarPointerTest : public ::testing::TestWithParam<MenuBarPointerCase>,
                               protected HostWorld {
protected:
    HostMenuBarPointerTest() {
        MachineScreen::of(host).setArea(Rect{0, 0, 1920, 1080});
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setMouseTracking(true);
        child.setMouseTracking(true);
        child.setGeometry(20, 20, 100, 100);
        window.setGeometry(QRect(GetParam().windowAt, QSize(200, 200)));
        markAsHostMenuBar(window);
        window.show();
    }

    MachineMouseFeed feed{session, host};
    QWidget window;
    QWidget child{&window};
};

TEST_P(HostMenuBarPointerTest, TheHostsPointerLiesOnTheStatusItem) {
    const MenuBarPointerCase& c = GetParam();
    QWidget& target = c.overAChild ? child : window;
    if (c.clicked) {
        QTest::mouseClick(&target, Qt::LeftButton, {}, {50, 50});
    } else {
        QTest::mouseMove(&target, {50, 50});
    }
    queue.runUntilIdle();
    const auto place = hostMenuBarPlace(host);
    ASSERT_TRUE(place);
    EXPECT_EQ(host.displays().cursorLocation(), place->statusItemPoint());
    EXPECT_EQ(host.displays().displaysWithPoint(host.displays().cursorLocation()),
              std::vector<DisplayID>{kBuiltIn});
    if (c.clicked) {
        const auto downs = host.events().frontApplicationEvents(EventType::leftMouseDown);
        ASSERT_EQ(downs.size(), 1u);
        EXPECT_EQ(downs[0].location, place->statusItemPoint());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostMenuBarPointerTest,
    ::testing::Values(
        MenuBarPointerCase{"AClickOverTheSecondDisplaysImage", {1400, 200}, true, false},
        MenuBarPointerCase{"AMoveOverTheSecondDisplaysImage", {720, 100}, false, false},
        MenuBarPointerCase{"AClickOnAChildOverTheFirstDisplaysImage", {100, 100}, true, true},
        MenuBarPointerCase{"AClickBelowTheDisplaysImages", {100, 700}, true, false}),
    [](const auto& info) { return info.param.name; });

// A key typed into the status item's menu acts where the menu lies, on the menu-bar display,
// wherever the machine's pointer is; typed elsewhere, it acts under the pointer.
struct MenuBarKeyCase {
    std::string name;
    bool intoTheMenuBar;
    DisplayID display;
};

// A row reads as its name in the test list, not as its bytes.
void PrintTo(const MenuBarKeyCase& row, std::ostream* out) {
    *out << row.name;
}

class HostMenuBarKeyTest : public ::testing::TestWithParam<MenuBarKeyCase>, protected HostWorld {
protected:
    HostMenuBarKeyTest() {
        MachineScreen::of(host).setArea(Rect{0, 0, 1920, 1080});
        if (GetParam().intoTheMenuBar) {
            markAsHostMenuBar(window);
        }
        window.setGeometry(100, 100, 200, 200);
        window.show();
        // Over the second display's image.
        QCursor::setPos(770, 50);
    }

    MachineKeyboardFeed feed{session};
    QWidget window;
    QLineEdit field{&window};
};

TEST_P(HostMenuBarKeyTest, ActsOnTheDisplayWhereTheKeysGo) {
    QTest::simulateEvent(&field, true, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), false);
    queue.runUntilIdle();
    const Point pointer = host.displays().cursorLocation();
    EXPECT_EQ(host.displays().displaysWithPoint(pointer),
              std::vector<DisplayID>{GetParam().display});
    if (GetParam().intoTheMenuBar) {
        EXPECT_EQ(pointer, hostMenuBarPlace(host)->statusItemPoint());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostMenuBarKeyTest,
                         ::testing::Values(MenuBarKeyCase{"IntoTheStatusMenu", true, kBuiltIn},
                                           MenuBarKeyCase{"IntoAnotherWindow", false, kStudio}),
                         [](const auto& info) { return info.param.name; });

TEST(HostMenuBarMarkTest, OnlyAMarkedWindowAndWhatLiesInItAreTheMenuBar) {
    ensureApplication();
    QWidget marked;
    QWidget inside(&marked);
    QWidget other;
    markAsHostMenuBar(marked);
    EXPECT_TRUE(isHostMenuBar(&marked));
    EXPECT_TRUE(isHostMenuBar(&inside));
    EXPECT_FALSE(isHostMenuBar(&other));
    EXPECT_FALSE(isHostMenuBar(nullptr));
}

// A widget that writes down the mouse events it gets.
class MouseLog final : public QWidget {
public:
    std::vector<std::string> events;

protected:
    void mousePressEvent(QMouseEvent*) override { events.push_back("press"); }
    void mouseMoveEvent(QMouseEvent*) override { events.push_back("move"); }
    void mouseReleaseEvent(QMouseEvent*) override { events.push_back("release"); }
    void mouseDoubleClickEvent(QMouseEvent*) override { events.push_back("double"); }
};

class MachineMouseFeedTest : public ::testing::Test, protected HostWorld {
protected:
    MachineMouseFeedTest() {
        window.setGeometry(100, 100, 200, 200);
        window.show();
    }
    // A tap that swallows every left mouse-down, as a recorder recording does.
    void swallowPresses() {
        tap = host.events().createTap(eventMaskBit(EventType::leftMouseDown),
                                      [](uint32_t, const Event&) { return std::nullopt; });
    }
    void drag() {
        QTest::mousePress(&window, Qt::LeftButton, {}, {10, 10});
        QTest::mouseMove(&window, {40, 40});
        QTest::mouseRelease(&window, Qt::LeftButton, {}, {40, 40});
    }
    using Log = std::vector<std::string>;

    MachineMouseFeed feed{session, host};
    MouseLog window;
    std::shared_ptr<EventTap> tap;
};

TEST_F(MachineMouseFeedTest, APressReachesTheWidgetOnlyOnceTheSessionDeliversIt) {
    drag();
    EXPECT_EQ(window.events, Log{});
    queue.runUntilIdle();
    EXPECT_EQ(window.events, (Log{"press", "move", "release"})) << "in the order they came";
    EXPECT_EQ(session.pendingCount(), 0u);
}

TEST_F(MachineMouseFeedTest, ASwallowedPressTakesItsMovesAndReleaseWithIt) {
    swallowPresses();
    drag();
    queue.runUntilIdle();
    EXPECT_EQ(window.events, Log{});
    EXPECT_EQ(host.events().frontApplicationEvents(EventType::leftMouseUp).size(), 1u)
        << "the host's session still sees the button let go";
    tap.reset();
    drag();
    queue.runUntilIdle();
    EXPECT_EQ(window.events, (Log{"press", "move", "release"}));
}

// The press was swallowed and settled before the drag goes on: with nothing waiting, the moves
// with the button held and the release still do not reach the widget, which never had the press.
TEST_F(MachineMouseFeedTest, ADragAfterASettledSwallowedPressStaysAwayFromTheWidget) {
    swallowPresses();
    QTest::mousePress(&window, Qt::LeftButton, {}, {10, 10});
    queue.runUntilIdle();
    ASSERT_EQ(session.pendingCount(), 0u);
    QTest::mouseMove(&window, {40, 40});
    QTest::mouseMove(&window, {60, 60});
    queue.runUntilIdle();
    QTest::mouseRelease(&window, Qt::LeftButton, {}, {60, 60});
    queue.runUntilIdle();
    EXPECT_EQ(window.events, Log{});
}

// A move with no button held, made while a click is still on its way, comes after the click.
TEST_F(MachineMouseFeedTest, APlainMoveWaitsBehindAClickOnItsWay) {
    window.setMouseTracking(true);
    // The pointer starts where the click is: the toolkit passes on no move to where it already is.
    QTest::mouseMove(&window, {10, 10});
    queue.runUntilIdle();
    window.events.clear();
    QTest::mouseClick(&window, Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(&window, {60, 60});
    EXPECT_EQ(window.events, Log{}) << "the click has not been delivered yet";
    queue.runUntilIdle();
    ASSERT_FALSE(window.events.empty());
    EXPECT_EQ(window.events, (Log{"press", "release", "move"}));
    EXPECT_EQ(session.pendingCount(), 0u);
}

struct ButtonCase {
    const char* name;
    Qt::MouseButton button;
    uint32_t down; // the host's event types
    uint32_t up;
};

// CTest's listing names the row, not its bytes.
void PrintTo(const ButtonCase& row, std::ostream* out) {
    *out << row.name;
}

class MachineMouseButtonTest : public MachineMouseFeedTest,
                               public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(MachineMouseButtonTest, AClickReachesTheHostWithItsButton) {
    const ButtonCase& row = GetParam();
    QTest::mouseClick(&window, row.button, {}, {10, 10});
    queue.runUntilIdle();
    const auto& reached = host.events().frontApplicationEvents();
    std::vector<uint32_t> types;
    for (const Event& event : reached) {
        if (event.type != EventType::mouseMoved) {
            types.push_back(event.type);
        }
    }
    EXPECT_EQ(types, (std::vector<uint32_t>{row.down, row.up}));
    EXPECT_EQ(window.events, (Log{"press", "release"}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MachineMouseButtonTest,
    ::testing::Values(
        ButtonCase{"Left", Qt::LeftButton, EventType::leftMouseDown, EventType::leftMouseUp},
        ButtonCase{"Right", Qt::RightButton, EventType::rightMouseDown, EventType::rightMouseUp},
        ButtonCase{"Middle", Qt::MiddleButton, EventType::otherMouseDown, EventType::otherMouseUp}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineMouseFeedTest, ADoubleClickIsTheSessionsSecondMouseDown) {
    QTest::mouseClick(&window, Qt::LeftButton, {}, {10, 10});
    QTest::mouseDClick(&window, Qt::LeftButton, {}, {10, 10});
    QTest::mouseRelease(&window, Qt::LeftButton, {}, {10, 10});
    queue.runUntilIdle();
    EXPECT_EQ(window.events, (Log{"press", "release", "double", "release"}));
    const auto downs = host.events().frontApplicationEvents(EventType::leftMouseDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].integerValue(EventField::mouseEventClickState), 2);
}

} // namespace
} // namespace tessarin
