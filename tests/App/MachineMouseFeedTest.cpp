// The machine's mouse as the host's, as the program wires it: the host's displays shown on a
// 1920 x 1080 screen of the machine, a window of the program somewhere on it.

#include "Platform/MachineInput/MachineMouseFeed.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/EventTap.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineScreen.h"
#include "Platform/Scenario.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"

#include <QApplication>
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
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        static QApplication* application = new QApplication(argc, argv);
        (void)application;
    }
}

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

class MachinePointerTest : public ::testing::TestWithParam<PointerCase> {
protected:
    MachinePointerTest() {
        MachineScreen::of(host).setArea(Rect{0, 0, 1920, 1080});
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setMouseTracking(true);
        window.setGeometry(QRect(GetParam().windowAt, QSize(200, 200)));
        window.show();
    }
    Point hostPointer() { return host.displays().cursorLocation(); }

    struct ApplicationReady {
        ApplicationReady() { ensureApplication(); }
    } applicationReady;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    MachineInputSession session{host.events()};
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

class MachineMouseFeedTest : public ::testing::Test {
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

    struct ApplicationReady {
        ApplicationReady() { ensureApplication(); }
    } applicationReady;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    MachineInputSession session{host.events()};
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
