#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QTest>
#include <QToolButton>

namespace tessarin {
namespace {

class SettingsChoiceControlsTest : public testing::PreferencesHostTest {};

TEST_F(SettingsChoiceControlsTest, APopUpSelectsAndReportsRawValuesNotPositions) {
    SettingsPopUpButton popup;
    popup.addItemWithRawValue("Snake", "snake");
    popup.addItemWithRawValue("Pac-Man", "pacMan");
    popup.addItemWithRawValue("Four", 4);
    std::vector<QVariant> chosen;
    popup.onSelectionChanged = [&](const QVariant& value) { chosen.push_back(value); };

    EXPECT_TRUE(popup.selectItemWithRawValue("pacMan"));
    EXPECT_EQ(popup.currentIndex(), 1);
    // A stored value that is not among the choices leaves the selection as it was.
    EXPECT_FALSE(popup.selectItemWithRawValue("spiral"));
    EXPECT_EQ(popup.selectedRawValue(), QVariant("pacMan"));
    EXPECT_TRUE(popup.selectItemWithRawValue(4));
    EXPECT_EQ(popup.selectedRawValue(), QVariant(4));
    EXPECT_TRUE(chosen.empty()); // the page's own selection tells no one

    Q_EMIT popup.activated(0); // the user picks the first item
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen.front(), QVariant("snake"));
    EXPECT_EQ(popup.rawValue(7), std::nullopt);
}

TEST_F(SettingsChoiceControlsTest, ASelectOneSegmentedControlKeepsOneSegmentChosen) {
    SettingsPageViewController page;
    SettingsSegmentedControl control({"2", "3", "4"});
    page.configureSegmentedControl(control);
    std::vector<int> picked;
    control.onSelectionChanged = [&](int index) { picked.push_back(index); };
    control.setSelectedSegment(0);
    control.setSelectedSegment(9); // not a segment: nothing changes
    EXPECT_EQ(control.selectedSegment(), 0);
    QTest::mouseClick(control.segment(2), Qt::LeftButton);
    EXPECT_EQ(control.selectedSegment(), 2);
    EXPECT_FALSE(control.segment(0)->isChecked());
    EXPECT_EQ(picked, std::vector<int>{2});
}

TEST_F(SettingsChoiceControlsTest, ASwitchFlipsOnAClick) {
    SettingsPageViewController page;
    SettingsSwitch control;
    page.configureSwitch(control);
    EXPECT_EQ(control.size(), QSize(26, 15));
    QTest::mouseClick(&control, Qt::LeftButton);
    EXPECT_TRUE(control.isOn());
}

} // namespace
} // namespace tessarin
