#pragma once

#include <QApplication>

namespace tessarin::testing {

// Widgets need an application object; a suite shares one for its whole run.
inline void ensureTestApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tessarin_tests";
        static char* argv[] = {name, nullptr};
        static QApplication* application = new QApplication(argc, argv);
        (void)application;
    }
}

} // namespace tessarin::testing
