#include "Platform/Program/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"

#include <QGuiApplication>
#include <QWindow>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance = new QGuiApplication(argc, argv);
    return *instance;
}

// The windowing system's queue is worked through without waiting.
void deliverWindowSystemEvents() {
    for (int turn = 0; turn < 10; ++turn) {
        QCoreApplication::processEvents();
    }
}

// The program starts inactive (no window of it has the keys), and a window that takes them
// makes it active; the host hears each change. (The offscreen platform never takes the keys
// away again.)
TEST(ProgramActivationFeed, TheHostFollowsTheProgramsWindows) {
    ProgramActivation activation;
    std::vector<bool> heard;
    activation.addObserver([&heard](bool active) { heard.push_back(active); });
    ProgramActivationFeed feed(application(), activation);
    EXPECT_FALSE(activation.isActive());

    QWindow window;
    window.show();
    window.requestActivate();
    deliverWindowSystemEvents();
    EXPECT_TRUE(activation.isActive());
    EXPECT_EQ(heard, (std::vector<bool>{false, true}));
}

} // namespace
} // namespace tessarin
