#include "Platform/Program/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"

#include <QGuiApplication>
#include <QWindow>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The program starts inactive (no window of it has the keys), and a window that takes them
// makes it active; the host hears each change. (The offscreen platform never takes the keys
// away again.)
TEST(ProgramActivationFeed, TheHostFollowsTheProgramsWindows) {
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    ProgramActivation activation;
    std::vector<bool> heard;
    activation.addObserver([&heard](bool active) { heard.push_back(active); });
    ProgramActivationFeed feed(*application, activation);

    QWindow window;
    window.show();
    window.requestActivate();
    for (int turn = 0; turn < 10; ++turn) { // the windowing system's queue, without waiting
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(heard, (std::vector<bool>{false, true}));
}

} // namespace
} // namespace tessarin
