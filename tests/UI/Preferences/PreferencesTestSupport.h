#pragma once

#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "TestApplication.h"
#include "UI/Preferences/Kit/ProgramStyle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <climits>
#include <gtest/gtest.h>
#include <vector>

namespace tessarin::testing {

// Widgets need an application object; the suite shares one for the whole run, drawn in the
// program's style as the program draws its windows.
inline void ensureWidgetApplication() {
    ensureTestApplication();
    ProgramStyle::install();
}

// Runs the deletions that widgets asked for with `deleteLater`.
inline void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Each view, top to bottom in one window, is as tall as its content needs and starts below the
// one before it: nothing is crushed or covered.
inline void expectStackedWithoutCrushing(const std::vector<QWidget*>& views) {
    QCoreApplication::sendPostedEvents(); // layouts settle on a later turn
    int previousBottom = INT_MIN;
    for (QWidget* view : views) {
        const int top = view->mapTo(view->window(), QPoint()).y();
        EXPECT_GE(view->height(), view->minimumSizeHint().height())
            << view->objectName().toStdString();
        EXPECT_GE(view->height(), view->heightForWidth(view->width()))
            << view->objectName().toStdString();
        EXPECT_GE(top, previousBottom) << view->objectName().toStdString();
        previousBottom = top + view->height();
    }
}

// The default simulated desktop on a virtual queue, current for one test, with an application
// object for the widgets.
class PreferencesHostTest : public ::testing::Test {
protected:
    PreferencesHostTest() { ensureWidgetApplication(); }
    ~PreferencesHostTest() override { flushDeferredDeletes(); }

    void setAppearance(Appearance appearance) {
        host.system().setAppearance(appearance);
        queue.runUntilIdle();
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost scopedHost{host};
};

} // namespace tessarin::testing
