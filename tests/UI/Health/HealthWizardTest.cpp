#include "UI/Health/HealthPageText.h"
#include "UI/Health/HealthWorld.h"
#include "UI/Preferences/Controls/ShortcutSettingControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tessarin {
namespace {

using HealthWizardTest = testing::HealthWorld;
using Mode = TessarinHealthCheckPresentationMode;
using Id = TessarinHealthCheckIdentifier;

TEST_F(HealthWizardTest, AnUntrustedLaunchOpensTheFloatingWizardOnAccessibilityAndKeepsItOpen) {
    world.d().presentHealthCheckAtLaunch();
    EXPECT_EQ(step(), "0");
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().level(), 3);
    EXPECT_TRUE(window().isCloseButtonHidden());
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    ASSERT_NE(find<QLabel>("health.section.step.title"), nullptr);
    EXPECT_EQ(find<QLabel>("health.section.step.title")->text(), "Required Step");
    EXPECT_EQ(find<QLabel>("health.status.0")->text(), "Needs Action");
    EXPECT_EQ(find<QPushButton>("health.action.0")->text(), "Open");
    EXPECT_EQ(find<QPushButton>("health.skip.0"), nullptr);
    EXPECT_TRUE(page().areRechecksRunning());
    expectWrappedTextWhole();
}

TEST_F(HealthWizardTest, OpenLowersTheWindowAndTheGuideGlidesOntoThePaneAndFollowsIt) {
    world.d().presentHealthCheckAtLaunch();
    press("health.action.0");
    EXPECT_EQ(window().level(), 0);
    EXPECT_FALSE(window().isFloatingPanel());
    EXPECT_TRUE(page().isYieldingToSystemPrompt());
    EXPECT_EQ(host().systemSettings().pane(),
              "com.apple.preference.security?Privacy_Accessibility");
    ASSERT_EQ(guide().activePermission(), TessarinPrivacyPermission::accessibility);
    world.queue.advance(0.5);
    const auto target = guide().trackedFrame();
    ASSERT_TRUE(target);
    EXPECT_EQ(guide().panel()->hostFrame(), *target);
    EXPECT_DOUBLE_EQ(guide().panel()->alpha(), 1.0);
    // Still untrusted: the page waits as it is.
    EXPECT_EQ(step(), "0");

    host().systemSettings().moveWindow(Rect{40, 60, 715, 620});
    world.queue.advance(0.05);
    EXPECT_EQ(guide().panel()->hostFrame(), *guide().trackedFrame());
    EXPECT_NE(guide().panel()->hostFrame(), *target);
}

TEST_F(HealthWizardTest, TheStepsActionsCarryTheAccentBezelInEitherAppearance) {
    // The colour in the middle of the button's left end, clear of its title.
    const auto bezelOf = [this](const char* name) {
        auto* button = find<QPushButton>(name);
        EXPECT_NE(button, nullptr) << name;
        const QImage picture =
            button ? button->grab().toImage() : QImage(1, 1, QImage::Format_RGB32);
        return picture.pixelColor(6, picture.height() / 2);
    };
    world.d().presentHealthCheckAtLaunch();
    for (const Appearance appearance : {Appearance::dark, Appearance::light}) {
        host().system().setAppearance(appearance);
        world.queue.runUntilIdle();
        testing::flushDeferredDeletes();
        EXPECT_EQ(bezelOf("health.action.0"), SettingsAccentButton::bezelColor(appearance));
    }
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    ASSERT_EQ(step(), "1");
    EXPECT_EQ(bezelOf("health.action.1"), SettingsAccentButton::bezelColor(Appearance::light));
    EXPECT_NE(bezelOf("health.skip.1"), SettingsAccentButton::bezelColor(Appearance::light));
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    EXPECT_EQ(bezelOf("health.practice.skip"), SettingsAccentButton::bezelColor(Appearance::light));
}

TEST_F(HealthWizardTest, RechecksThatChangeNothingKeepThePressedButtonAndANewAppearanceRecolours) {
    world.d().presentHealthCheckAtLaunch();
    const QPointer<QPushButton> open = find<QPushButton>("health.action.0");
    ASSERT_TRUE(open);
    QTest::mousePress(open, Qt::LeftButton);
    world.queue.advance(3.0);
    testing::flushDeferredDeletes();
    ASSERT_TRUE(open);
    QTest::mouseRelease(open, Qt::LeftButton);
    EXPECT_EQ(guide().activePermission(), TessarinPrivacyPermission::accessibility);

    host().system().setAppearance(Appearance::dark);
    world.queue.runUntilIdle();
    testing::flushDeferredDeletes();
    EXPECT_FALSE(open);
    EXPECT_EQ(SettingsPageLayout::textColor(*find<QLabel>("health.step.title")),
              SettingsPageLayout::resolvedColor(SettingsSystemColor::label, Appearance::dark));
}

TEST_F(HealthWizardTest, ADropGrantsAndTheNextTickMovesOnAndRaisesTheWindow) {
    world.d().presentHealthCheckAtLaunch();
    press("health.action.0");
    world.queue.advance(0.5);
    ASSERT_TRUE(host().systemSettings().dropBundle(host().programBundle().bundlePath()));
    EXPECT_EQ(step(), "0");
    world.queue.advance(1.0);
    EXPECT_EQ(step(), "1");
    EXPECT_EQ(window().level(), 3);
    EXPECT_FALSE(page().isYieldingToSystemPrompt());
    EXPECT_FALSE(window().isCloseButtonHidden());
    EXPECT_FALSE(guide().activePermission());
}

TEST_F(HealthWizardTest, SkippingScreenRecordingReachesTheKeyboardStepWithThePresetNoted) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    ASSERT_EQ(step(), "1");
    EXPECT_EQ(find<QLabel>("health.section.step.title")->text(), "Recommended Step");
    press("health.skip.1");
    EXPECT_EQ(step(), "keys");
    EXPECT_FALSE(page().areRechecksRunning());
    EXPECT_EQ(window().level(), 3);
    ASSERT_NE(find("health.practice.keyboardCard"), nullptr);
    EXPECT_EQ(find("health.practice.keyboardCard")->findChildren<ShortcutSettingControl*>().size(),
              5u);
    EXPECT_NE(find<QLabel>("health.practice.missionControlPreset.detail"), nullptr);
    expectWrappedTextWhole();
}

TEST_F(HealthWizardTest, AClashWithAHotkeyOrAWorkspaceAlertsAndStoresNothing) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    HotkeyStore& store = world.d().hotkeyStore;
    const HotkeyAction left = HotkeyAction::cursor(HotkeyIdentifier::left);
    const HotkeyCombination before = *store.combination(left);
    const HotkeyCombination right =
        *store.combination(HotkeyAction::cursor(HotkeyIdentifier::right));

    page().handleKeyboardSetupRecordingResult(right, left);
    ASSERT_EQ(host().system().shownAlerts().size(), 1u);
    EXPECT_EQ(host().system().shownAlerts()[0].informativeText,
              "This shortcut is already assigned to " +
                  HotkeyAction::cursor(HotkeyIdentifier::right).displayName() + ".");

    WorkspaceShortcutStore& workspaces = world.d().workspaceShortcutStore;
    const WorkspaceShortcut workspace = workspaces.addWorkspace("Mail");
    const HotkeyCombination mailKeys{40, 0x100 | 0x800, "K", "k"}; // Command-Option-K
    workspaces.setShortcut(mailKeys, false, workspace.id);
    page().handleKeyboardSetupRecordingResult(mailKeys, left);
    ASSERT_EQ(host().system().shownAlerts().size(), 2u);
    EXPECT_EQ(host().system().shownAlerts()[1].informativeText,
              "This shortcut is already assigned to Mail.");

    // A row's reset onto keys a workspace took meanwhile is refused the same way.
    workspaces.setShortcut(defaultCombination(HotkeyIdentifier::down), false, workspace.id);
    auto* down = find("health.practice.keyboardCard")->findChildren<ShortcutSettingControl*>()[4];
    down->resetButton()->click();
    EXPECT_EQ(host().system().shownAlerts().size(), 3u);
    EXPECT_EQ(host().system().beepCount(), 3);
    EXPECT_EQ(*store.combination(left), before);
}

TEST_F(HealthWizardTest, TheEndListsTheSkippedChecksAndRevokedTrustStepsBack) {
    host().system().setProcessTrusted(true);
    grantCapture();
    controller().present(Mode::setup);
    ASSERT_EQ(step(), "keys");
    press("health.practice.skip");
    std::vector<std::string> skipped;
    while (step() != "all set" && skipped.size() < 5) {
        skipped.push_back(step());
        if (skipped.size() == 1) {
            // Trust withdrawn while a later step is shown: the next tick goes back.
            host().system().setProcessTrusted(false);
            world.queue.advance(1.0);
            EXPECT_EQ(step(), "0");
            host().system().setProcessTrusted(true);
            world.queue.advance(1.0);
            ASSERT_EQ(step(), skipped.back());
        }
        press("health.skip." + QString::fromStdString(skipped.back()));
    }
    ASSERT_FALSE(skipped.empty());
    EXPECT_EQ(window().level(), 0);
    EXPECT_FALSE(page().areRechecksRunning());
    auto* list = find<QLabel>("health.allSet.skipped.detail");
    ASSERT_NE(list, nullptr);
    QStringList titles; // in the snapshot's order
    for (const TessarinHealthCheckItem& item : controller().provider().snapshot().items) {
        if (std::ranges::count(skipped, std::to_string(static_cast<int>(item.identifier)))) {
            titles << QString::fromStdString(item.title);
        }
    }
    ASSERT_EQ(titles.size(), static_cast<qsizetype>(skipped.size()));
    EXPECT_EQ(list->text(), "Skipped for now: " + titles.join(", ") + ".");
    expectWrappedTextWhole();
    press("health.control.settings");
    EXPECT_EQ(preferences->shown, 1);
}

// The page is built again for a new appearance: the skipped checks stay listed, in its colours.
TEST_F(HealthWizardTest, ANewAppearanceKeepsTheSkippedChecksOnTheEnd) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    ASSERT_EQ(step(), "1");
    press("health.skip.1");
    press("health.practice.skip");
    while (step() != "all set" && step() != "keys") {
        press("health.skip." + QString::fromStdString(step()));
    }
    ASSERT_EQ(step(), "all set");
    const QString listed = find<QLabel>("health.allSet.skipped.detail")->text();
    ASSERT_TRUE(listed.startsWith("Skipped for now: ")) << listed.toStdString();
    for (const Appearance appearance : {Appearance::dark, Appearance::light}) {
        host().system().setAppearance(appearance);
        world.queue.runUntilIdle();
        testing::flushDeferredDeletes();
        auto* list = find<QLabel>("health.allSet.skipped.detail");
        ASSERT_NE(list, nullptr) << static_cast<int>(appearance);
        EXPECT_EQ(list->text(), listed);
        EXPECT_EQ(SettingsPageLayout::textColor(*list), HealthPageText::tertiaryLabel());
        EXPECT_TRUE(find<QLabel>("health.allSet.detail")->text().startsWith("Required setup"));
    }
}

TEST_F(HealthWizardTest, AnUntrustedSwitchOpensTheWindowOnAccessibility) {
    world.d().performSpaceSwitch(TessarinDirectionRight);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(step(), "0");
}

TEST_F(HealthWizardTest, ASkippedRecommendationIsOfferedAgainAtTheNextSetupPresentation) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    EXPECT_TRUE(page().skippedRecommendedIdentifiers().contains(Id::screenRecording));
    EXPECT_TRUE(window().close());
    controller().present(Mode::setup);
    EXPECT_EQ(step(), "1");
    EXPECT_TRUE(page().areRechecksRunning());
    EXPECT_TRUE(page().skippedRecommendedIdentifiers().empty());
}

} // namespace
} // namespace tessarin
