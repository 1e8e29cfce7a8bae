#include "Hotkeys/HotkeyStore.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/MachineInput/MachineKeyboardFeed.h"
#include "Platform/MachineInput/MachineMouseFeed.h"
#include "UI/Health/HealthWorld.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <map>

namespace tessarin {
namespace {

using HealthKeyboardStepTest = testing::HealthWorld;
using Mode = TessarinHealthCheckPresentationMode;

TEST_F(HealthKeyboardStepTest, ASystemShortcutAsksAndOnlyUseAnywayStores) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    HotkeyStore& store = world.d().hotkeyStore;
    const HotkeyAction left = HotkeyAction::cursor(HotkeyIdentifier::left);
    const HotkeyCombination commandOptionK{40, 0x100 | 0x800, "K", "k"};
    const HotkeyCombination controlLeft = HotkeyCombination::missionControlPresetLeft();
    page().handleKeyboardSetupRecordingResult(commandOptionK, left);
    ASSERT_EQ(store.combination(left), commandOptionK);
    EXPECT_FALSE(store.isSystemShortcutOverrideEnabled(left));
    // Each stored change builds the step anew: its row shows the new keys.
    const HotkeyCombination commandOptionJ{38, 0x100 | 0x800, "J", "j"};
    page().handleKeyboardSetupRecordingResult(commandOptionJ,
                                              HotkeyAction::cursor(HotkeyIdentifier::right));
    EXPECT_EQ(find("health.practice.keyboardCard")
                  ->findChildren<ShortcutSettingControl*>()[2]
                  ->recorder()
                  ->displayText(),
              "⌘⌥J");

    host().system().scriptAlertResponse(AlertResponse::thirdButton);
    page().handleKeyboardSetupRecordingResult(controlLeft, left);
    EXPECT_EQ(store.combination(left), commandOptionK);
    ASSERT_EQ(host().system().shownAlerts().size(), 1u);
    EXPECT_EQ(host().system().shownAlerts()[0].messageText,
              "Shortcut conflicts with macOS Mission Control");

    host().system().scriptAlertResponse(AlertResponse::secondButton);
    page().handleKeyboardSetupRecordingResult(controlLeft, left);
    EXPECT_EQ(store.combination(left), commandOptionK);
    EXPECT_EQ(host().system().openedURLs().back(),
              TessarinHealthCheckViewController::keyboardShortcutsAddress);
    EXPECT_EQ(window().level(), 0);

    host().system().scriptAlertResponse(AlertResponse::firstButton);
    page().handleKeyboardSetupRecordingResult(controlLeft, left);
    EXPECT_EQ(store.combination(left), controlLeft);
    EXPECT_TRUE(store.isSystemShortcutOverrideEnabled(left));
    // The rebuilt step floats the window again.
    EXPECT_EQ(window().level(), 3);
}

TEST_F(HealthKeyboardStepTest, WithTheGridOffItsRowsAreDimmedAndClearingKeepsTheKeys) {
    host().system().setProcessTrusted(true);
    world.grid().isEnabled.set(false);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    const auto controls =
        find("health.practice.keyboardCard")->findChildren<ShortcutSettingControl*>();
    ASSERT_EQ(controls.size(), 5u);
    const std::vector<bool> available{false, true, true, false, false};
    for (qsizetype i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(controls[i]->isAvailable(), available[static_cast<std::size_t>(i)]) << i;
    }
    HotkeyStore& store = world.d().hotkeyStore;
    const HotkeyAction right = HotkeyAction::cursor(HotkeyIdentifier::right);
    const auto keys = store.combination(right);
    controls[2]->clearButton()->click();
    EXPECT_FALSE(store.isEnabled(right));
    EXPECT_EQ(store.combination(right), keys);
}

TEST_F(HealthKeyboardStepTest,
       SetupWithSomethingOutstandingOwesTheAllSetPageAndSitsTopLeftAtItsOwnSize) {
    controller().present(Mode::allSet);
    EXPECT_FALSE(host().defaults().boolValue("healthCheck.pendingAllSetPresentation"));
    EXPECT_FALSE(page().areRechecksRunning());
    EXPECT_EQ(window().level(), 0);
    EXPECT_FALSE(window().isCloseButtonHidden());

    controller().present(Mode::setup);
    EXPECT_EQ(host().defaults().boolValue("healthCheck.pendingAllSetPresentation"), true);
    const Rect visible = host().displays().mainScreen()->visibleFrame;
    EXPECT_EQ(window().hostFrame().minX(), visible.minX() + 24);
    EXPECT_EQ(window().hostFrame().maxY(), visible.maxY() - 24);
    // Moved, never resized.
    window().resize(700, 600);
    EXPECT_EQ(window().size(), QSize(540, 400));
    EXPECT_EQ(window().maximumSize(), window().minimumSize());
}

// Grown for its content, the window keeps its top edge unless the screen's bottom would cut it.
TEST_F(HealthKeyboardStepTest, AGrownWindowStaysOnTheVisiblePartOfItsScreen) {
    controller().present(Mode::setup);
    const Rect visible = host().displays().mainScreen()->visibleFrame;
    const double height = window().hostFrame().height() + 100;
    const struct {
        const char* name;
        double bottom; // before it grows
        double expectedBottom;
    } cases[] = {
        {"room below", visible.minY() + 300, visible.minY() + 200},
        {"near the screen's bottom", visible.minY() + 10, visible.minY()},
    };
    for (const auto& c : cases) {
        window().fitContentHeight(height - 100);
        window().setHostFrameOrigin({visible.minX() + 24, c.bottom});
        window().fitContentHeight(height);
        EXPECT_EQ(window().hostFrame().height(), height) << c.name;
        EXPECT_EQ(window().hostFrame().minY(), c.expectedBottom) << c.name;
    }
}

// A step taller than the screen grows the window only to the screen's visible height, never
// past it; the rest scrolls.
TEST_F(HealthKeyboardStepTest, AStepTallerThanTheScreenGrowsTheWindowOnlyToItsVisibleHeight) {
    controller().present(Mode::setup);
    const Rect visible = host().displays().mainScreen()->visibleFrame;
    window().fitContentHeight(visible.height() * 2);
    EXPECT_EQ(window().hostFrame().height(), visible.height());
    EXPECT_GE(window().hostFrame().minY(), visible.minY());
    EXPECT_LE(window().hostFrame().maxY(), visible.maxY());
    EXPECT_EQ(window().height(), static_cast<int>(visible.height()));
}

// Grown for notes under held keys, the window goes back to its own height when "Next" leads to
// the all-set page through a refresh.
TEST_F(HealthKeyboardStepTest, TheAllSetPageAfterAGrownStepHasTheWindowsOwnHeight) {
    host().system().setProcessTrusted(true);
    grantCapture(); // the keys are the first step and the last
    controller().present(Mode::setup);
    ASSERT_EQ(step(), "keys");
    const QSize own = window().size();
    std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> held;
    for (const HotkeyIdentifier row :
         {HotkeyIdentifier::showOSD, HotkeyIdentifier::left, HotkeyIdentifier::right,
          HotkeyIdentifier::up, HotkeyIdentifier::down}) {
        const auto keys = world.d().hotkeyStore.combination(HotkeyAction::cursor(row));
        ASSERT_TRUE(keys);
        held[{keys->keyCode, keys->modifiers}] = {
            HotKeyDeliveryProblem::heldByAnotherClient, "Ctrl+Alt+Super+Right", {}};
    }
    host().hotKeys().delivery().setHeldElsewhere(held);
    world.queue.runUntilIdle();
    ASSERT_GT(window().height(), own.height()) << "the notes grew the window";
    press("health.practice.skip");
    world.queue.runUntilIdle();
    // Checks the host cannot pass here are skipped on the way, each page fitted anew.
    for (int steps = 0; step() != "all set" && steps < 5; ++steps) {
        press("health.skip." + QString::fromStdString(step()));
        world.queue.runUntilIdle();
    }
    ASSERT_EQ(step(), "all set");
    EXPECT_EQ(window().size(), own);
    host().hotKeys().delivery().setHeldElsewhere({});
}

TEST_F(HealthKeyboardStepTest, ClosingOnTheKeyboardStepIsAllowedAndStopsTheRechecks) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    EXPECT_TRUE(page().areRechecksRunning());
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(page().isHealthCheckWindowVisible());
    EXPECT_FALSE(page().areRechecksRunning());
}

// The first window a person meets: the five rows, the note and "Next" all show at the window's
// own size.
TEST_F(HealthKeyboardStepTest, TheStepFitsItsWindowWithoutScrolling) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    auto* scroll = page().view()->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
    for (const char* name :
         {"health.practice.keyboardCard", "health.practice.missionControlPreset.detail",
          "health.practice.skip"}) {
        QWidget* part = find(name);
        ASSERT_NE(part, nullptr) << name;
        const QRect inWindow(part->mapTo(&window(), QPoint(0, 0)), part->size());
        EXPECT_TRUE(part->isVisible()) << name;
        EXPECT_TRUE(QRect(QPoint(0, 0), window().size()).contains(inWindow))
            << name << " at " << inWindow.y() << "+" << inWindow.height();
    }
}

// Another program holds the keys of every row, so each row has a note of two lines: the window
// grows to show every line whole and its buttons without scrolling, within its screen, and goes
// back to its own height once the keys are free.
TEST_F(HealthKeyboardStepTest, NotesOnHeldKeysShowWholeWithTheButtonsInView) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    const double top = window().hostFrame().maxY();
    const HotkeyIdentifier rows[] = {HotkeyIdentifier::showOSD, HotkeyIdentifier::left,
                                     HotkeyIdentifier::right, HotkeyIdentifier::up,
                                     HotkeyIdentifier::down};
    std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> held;
    for (const HotkeyIdentifier row : rows) {
        const auto keys = world.d().hotkeyStore.combination(HotkeyAction::cursor(row));
        ASSERT_TRUE(keys);
        held[{keys->keyCode, keys->modifiers}] = {
            HotKeyDeliveryProblem::heldByAnotherClient, "Ctrl+Alt+Super+Right", {}};
    }
    HotKeyDelivery& delivery = host().hotKeys().delivery();
    delivery.setHeldElsewhere(held);
    world.queue.runUntilIdle();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    auto* scroll = page().view()->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
    const QRect shown(QPoint(0, 0), window().size());
    std::vector<QWidget*> parts{find("health.practice.skip")};
    for (const HotkeyIdentifier row : rows) {
        parts.push_back(find(hotkeyDeliveryWarningIdentifier(row)));
    }
    for (QWidget* part : parts) {
        ASSERT_NE(part, nullptr);
        const QRect inWindow(part->mapTo(&window(), QPoint(0, 0)), part->size());
        EXPECT_TRUE(part->isVisible()) << part->objectName().toStdString();
        EXPECT_TRUE(shown.contains(inWindow))
            << part->objectName().toStdString() << " at " << inWindow.y() << "+"
            << inWindow.height() << " in " << shown.height();
    }
    expectWrappedTextWhole();
    // The footnote under the notes agrees with them, and says "will use" again once the keys
    // are free.
    const auto footnote = [this] {
        const auto* label =
            qobject_cast<QLabel*>(find("health.practice.missionControlPreset.detail"));
        return label != nullptr ? label->text().toStdString() : std::string("(none)");
    };
    EXPECT_NE(footnote().find("Another program holds some of these keys now"), std::string::npos)
        << footnote();
    EXPECT_EQ(footnote().find("will use"), std::string::npos) << footnote();
    const Rect visible = host().displays().mainScreen()->visibleFrame;
    EXPECT_GT(window().height(), 400);
    EXPECT_LE(window().hostFrame().height(), visible.height());
    EXPECT_EQ(window().hostFrame().maxY(), top);

    delivery.setHeldElsewhere({});
    world.queue.runUntilIdle();
    EXPECT_EQ(window().size(), QSize(540, 400));
    EXPECT_EQ(window().hostFrame().maxY(), top);
    EXPECT_NE(footnote().find("will use Control-Left/Right/Up/Down"), std::string::npos)
        << footnote();
}

TEST_F(HealthKeyboardStepTest, ARecorderRecordsTheKeysTypedOnIt) {
    MachineInputSession session{host().events()};
    MachineKeyboardFeed feed{session};
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    const auto recorder = [this] {
        return find("health.practice.keyboardCard")
            ->findChildren<ShortcutSettingControl*>()[2]
            ->recorder();
    };
    QTest::mouseClick(recorder(), Qt::LeftButton);
    world.queue.runUntilIdle();
    QTest::keyClick(recorder(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    world.queue.runUntilIdle();
    const auto stored =
        world.d().hotkeyStore.combination(HotkeyAction::cursor(HotkeyIdentifier::right));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->keyCode, 40u);
    EXPECT_EQ(stored->modifiers, HotkeyModifier::command | HotkeyModifier::option);
    EXPECT_EQ(recorder()->displayText(), "⌘⌥K");
}

TEST_F(HealthKeyboardStepTest, ARowWhoseKeysAnotherProgramHoldsSaysSoUntilTheyAreFree) {
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    const auto line = [this]() -> std::optional<std::string> {
        auto* label =
            find("health.practice.keyboardCard")
                ->findChild<QLabel*>(hotkeyDeliveryWarningIdentifier(HotkeyIdentifier::right));
        if (label == nullptr || !label->isVisible()) {
            return std::nullopt;
        }
        return label->text().toStdString();
    };
    EXPECT_EQ(line(), std::nullopt);
    const HotkeyCombination right =
        *world.d().hotkeyStore.combination(HotkeyAction::cursor(HotkeyIdentifier::right));
    HotKeyDelivery& delivery = host().hotKeys().delivery();
    delivery.setHeldElsewhere(
        {{{right.keyCode, right.modifiers},
          {HotKeyDeliveryProblem::heldByAnotherClient, "Ctrl+Alt+Super+Right", {}}}});
    world.queue.runUntilIdle();
    EXPECT_EQ(line(), "Another program holds Ctrl+Alt+Super+Right, so it does nothing here until "
                      "that program lets it go.");
    delivery.setHeldElsewhere({});
    world.queue.runUntilIdle();
    EXPECT_EQ(line(), std::nullopt);
}

TEST_F(HealthKeyboardStepTest, AClickElsewhereEndsARecordingAndIsSwallowed) {
    MachineInputSession session{host().events()};
    MachineKeyboardFeed keys{session};
    MachineMouseFeed mouse{session, host()};
    host().system().setProcessTrusted(true);
    controller().present(Mode::setup);
    press("health.skip.1");
    ASSERT_EQ(step(), "keys");
    const auto recorder = [this] {
        return find("health.practice.keyboardCard")
            ->findChildren<ShortcutSettingControl*>()[2]
            ->recorder();
    };
    const auto clickOn = [this](QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
        world.queue.runUntilIdle();
    };
    clickOn(recorder());
    ASSERT_TRUE(recorder()->isRecording());
    clickOn(find("health.practice.skip"));
    EXPECT_FALSE(recorder()->isRecording());
    EXPECT_EQ(step(), "keys") << "the clicked button did not act";

    clickOn(recorder());
    ASSERT_TRUE(recorder()->isRecording());
    clickOn(recorder());
    EXPECT_FALSE(recorder()->isRecording()) << "a second click on the recorder ends it";
    EXPECT_EQ(session.pendingCount(), 0u);
}

} // namespace
} // namespace tessarin
