#pragma once

#include "Core/Fakes/EngineWorld.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Seams/ApplicationDelegate.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <gtest/gtest.h>
#include <memory>

namespace tessarin::testing {

// The Keyboard page shown over a delegate that registers its own hot keys on two displays
// ("UUID-A" and "UUID-B", separate Spaces unless `shared`). Alerts answer as scripted on the
// host; found controls are looked up by object name.
class KeyboardPageTest : public ::testing::Test {
protected:
    explicit KeyboardPageTest(Scenario scenario = fakes::switchingScenario())
        : world(std::move(scenario), [](AppDelegateDependencies& dependencies) {
              dependencies.hotkeys = nullptr;
              dependencies.dragTracker = &PhysicalWindowDragTracker::shared();
          }) {
        world.d().bindHotkeys();
        ApplicationDelegate::install(&world.d()); // recorders register the hot keys again
        open();
    }
    // A page, shown in its own window.
    void open(KeyboardShortcutsDependencies dependencies = {}) {
        page = std::make_unique<KeyboardShortcutsViewController>(std::move(dependencies));
        page->view()->resize(620, 700);
        page->view()->show();
        settle();
    }
    ~KeyboardPageTest() override {
        page.reset();
        settle();
        ApplicationDelegate::install(nullptr);
    }

    // Runs what is due now and deletes what was left for later.
    void settle() {
        world.queue.runUntilIdle();
        flushDeferredDeletes();
        world.queue.runUntilIdle();
    }
    template <class T = QWidget> T* find(const std::string& name) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == page->view() || window->parentWidget() == page->view()) {
                if (auto* found = window->findChild<T*>(QString::fromStdString(name))) {
                    return found;
                }
            }
        }
        return page->view()->findChild<T*>(QString::fromStdString(name));
    }
    void click(const std::string& name) {
        auto* button = find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
        settle();
    }
    // Chooses a target in the page's pop-up, as a user does.
    void selectTarget(int index) {
        auto* popup = find<QComboBox>(KeyboardShortcutsViewIdentifier::displayTargetControl);
        ASSERT_NE(popup, nullptr);
        popup->setCurrentIndex(index);
        Q_EMIT popup->activated(index);
        settle();
    }
    std::vector<std::string> alertTitles() {
        std::vector<std::string> titles;
        for (const SystemAlert& alert : world.host.system().shownAlerts()) {
            titles.push_back(alert.messageText);
        }
        return titles;
    }
    HotkeyStore& hotkeys() { return world.d().hotkeyStore; }

    struct ApplicationReady {
        ApplicationReady() { ensureWidgetApplication(); }
    } applicationReady;
    fakes::World world;
    std::unique_ptr<KeyboardShortcutsViewController> page;
};

} // namespace tessarin::testing
