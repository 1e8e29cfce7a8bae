#include "UI/Preferences/Kit/SettingsSheet.h"

#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tessarin {
namespace {

class SettingsSheetTest : public testing::PreferencesHostTest {
protected:
    PreferencesPanel window;
    SettingsSheet sheet{QSize(520, 400), "Keys", "Inside the grid"};
    int done = 0;
};

TEST_F(SettingsSheetTest, ReturnPressesTheDefaultButtonUnlessTheSheetLeavesItToItsControls) {
    sheet.addButton("Done", true, [this] {
        sheet.end();
        ++done;
    });
    for (const bool takesReturn : {true, false}) {
        done = 0;
        sheet.setDefaultButtonTakesReturn(takesReturn);
        sheet.begin(window);
        QTest::keyClick(&sheet, Qt::Key_Return);
        EXPECT_EQ(done, takesReturn ? 1 : 0);
        EXPECT_EQ(sheet.isVisible(), !takesReturn);
        sheet.end();
    }
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);
}

TEST_F(SettingsSheetTest, ItsTextsTakeTheLabelColoursOfANewAppearance) {
    namespace L = SettingsPageLayout;
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        setAppearance(appearance);
        EXPECT_EQ(L::textColor(*sheet.titleLabel()),
                  L::resolvedColor(SettingsSystemColor::label, appearance));
        EXPECT_EQ(L::textColor(*sheet.subtitleLabel()),
                  L::resolvedColor(SettingsSystemColor::secondaryLabel, appearance));
    }
}

} // namespace
} // namespace tessarin
