// The yardstick of the memory benchmark: a bare Qt Widgets window with a line of text, shown
// until it is terminated. It prints "shown" once the window has been drawn.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window("A bare window");
    window.resize(320, 120);
    window.show();
    // The first paint happens on the loop's first turns.
    QTimer::singleShot(0, [] {
        std::printf("shown\n");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
