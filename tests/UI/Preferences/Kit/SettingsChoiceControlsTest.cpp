#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/PreferencesTestSupport.h"

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

} // namespace
} // namespace tessarin
