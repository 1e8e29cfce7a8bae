// The machine's pointer as the host's, as the program wires it: the host's displays shown on a
// 1920 x 1080 screen of the machine, a window of the program somewhere on it.

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineInput/MachineMouseFeed.h"
#include "Platform/MachineScreen.h"
#include "Platform/Scenario.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

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

} // namespace
} // namespace tessarin
