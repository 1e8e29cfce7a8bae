#include "UI/Preferences/Controls/RecorderWorld.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/ShortcutSettingControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Kit/SettingsControlShelf.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"

#include <QPointer>
#include <QTest>

namespace tessarin {
namespace {

using namespace testing;

// A page that rebuilds its rows on every render, as the settings pages do: one slot control
// made anew each time, and a recorder kept for the page's life.
class SlotPage : public SettingsPageViewController {
public:
    SlotPage() {
        keepControl(keptRecorder);
        view();
    }

    void render(bool withKeptRecorder = true) {
        slot = new ShortcutSettingControl(
            HotkeyIdentifier::left, HotkeyCombination::defaultLeft(), true, true, nullptr,
            [this] { render(); }, // the owner re-renders from inside the clear button
            nullptr);
        std::vector<QWidget*> rows{new SettingsRowView("Left", std::nullopt, slot)};
        if (withKeptRecorder) {
            rows.push_back(new SettingsRowView("Kept", std::nullopt, keptRecorder));
        }
        installPage({new SettingsSectionView("Keys", "keys", rows)});
    }

    ShortcutRecorderControl* keptRecorder =
        new ShortcutRecorderControl(QRect(0, 0, 150, 22), GlobalEventTapRecorder::shared());
    QPointer<ShortcutSettingControl> slot;
};

class ControlLifetimeTest : public RecorderWorldTest {
protected:
    SlotPage page;
};

TEST_F(ControlLifetimeTest, ARowReplacedFromInsideItsOwnButtonIsDeletedLater) {
    page.render();
    const QPointer<ShortcutSettingControl> first = page.slot;
    QTest::mouseClick(first->clearButton(), Qt::LeftButton);
    ASSERT_FALSE(first.isNull()); // still handling its click
    EXPECT_NE(page.slot, first);
    flushDeferredDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(page.view()->findChildren<ShortcutSettingControl*>().size(), 1u);
}

TEST_F(ControlLifetimeTest, AKeptRecorderLeavingItsWindowEndsItsRecordingButLivesOn) {
    page.render();
    // clang-format off
    const std::tuple<const char*, bool> rows[] = {
        {"movedIntoANewRow", true}, {"backOnTheShelf", false}};
    // clang-format on
    for (const auto& [name, shownAgain] : rows) {
        QTest::mouseClick(page.keptRecorder, Qt::LeftButton);
        ASSERT_EQ(hotKeys(), 0u) << name;
        page.render(shownAgain);
        flushDeferredDeletes();
        EXPECT_FALSE(page.keptRecorder->isRecording()) << name;
        EXPECT_GT(hotKeys(), 0u) << name;
        EXPECT_EQ(page.keptRecorder->window(), shownAgain ? page.view() : &page.controlShelf())
            << name;
    }
    page.render();
    EXPECT_EQ(page.keptRecorder->window(), page.view());
}

} // namespace
} // namespace tessarin
