#pragma once

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Fakes/EngineWorld.h"
#include "Core/Fakes/RecordingPreferencesWindow.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SystemServices.h"
#include "Platform/SystemSettings/SystemSettings.h"
#include "UI/Health/PermissionGuidePanel.h"
#include "UI/Health/SystemSettingsWindowLookup.h"
#include "UI/Health/TessarinHealthCheckPanel.h"
#include "UI/Health/TessarinHealthCheckWindowController.h"
#include "UI/Health/TessarinPrivacyPermissionGuidePresenter.h"
#include "UI/Preferences/Controls/ShortcutSettingControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tessarin::testing {

using Mode = TessarinHealthCheckPresentationMode;

// The program at launch with the real health window, untrusted, and System Settings closed.
class HealthWorld : public ::testing::Test {
protected:
    explicit HealthWorld(const Scenario& scenario = fakes::switchingScenario())
        : world(scenario, [this](AppDelegateDependencies& dependencies) {
              dependencies.healthWindow = nullptr;
              dependencies.makePreferencesWindow = [this](SoftwareUpdateChecking&) {
                  return preferences;
              };
          }) {
        ensureWidgetApplication();
        host().system().setProcessTrusted(false);
        host().privacy().setDecision(PrivacyService::screenCapture,
                                     host().programBundle().resolvedIdentifier(), false);
    }
    ~HealthWorld() override { flushDeferredDeletes(); }

    Host& host() { return world.host; }
    TessarinHealthCheckWindowController& controller() {
        return dynamic_cast<TessarinHealthCheckWindowController&>(
            world.d().healthCheckWindowController());
    }
    TessarinHealthCheckViewController& page() { return controller().healthViewController(); }
    TessarinHealthCheckPanel& window() { return *controller().window(); }
    TessarinPrivacyPermissionGuidePresenter& guide() {
        return TessarinPrivacyPermissionGuidePresenter::shared();
    }
    template <class T = QWidget> T* find(const QString& name) {
        return page().view()->findChild<T*>(name);
    }
    void press(const QString& name) {
        auto* button = find<QPushButton>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
    }
    // The step on screen: a check's number, "keys", or "all set".
    std::string step() {
        if (page().mode() == Mode::allSet) {
            return "all set";
        }
        const TessarinHealthCheckItem* item = healthItem(page().currentSetupStep());
        return item ? std::to_string(static_cast<int>(item->identifier)) : "keys";
    }
    // Every wrapped label of the page is as tall as all its lines at its width.
    void expectWrappedTextWhole() {
        QCoreApplication::sendPostedEvents(); // new rows show and lay out on a later turn
        int wrapped = 0;
        for (QLabel* label : page().view()->findChildren<QLabel*>()) {
            if (label->isVisible() && label->wordWrap()) {
                ++wrapped;
                EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                    << label->objectName().toStdString() << " " << label->width();
            }
        }
        EXPECT_GE(wrapped, 2);
    }
    void grantCapture() {
        host().systemSettings().open(
            "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture");
        host().systemSettings().dropBundle(host().programBundle().bundlePath());
        host().systemSettings().closeWindow();
    }

    std::shared_ptr<fakes::RecordingPreferencesWindow> preferences =
        std::make_shared<fakes::RecordingPreferencesWindow>();
    fakes::World world;
};

} // namespace tessarin::testing
