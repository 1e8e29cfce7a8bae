#pragma once

#include <QApplication>

namespace tessarin::bench {

// The one application object a widget benchmark needs, on the offscreen platform unless the
// environment names another; made on first use and kept for the process.
inline QApplication& application() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tessarin-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

} // namespace tessarin::bench
