#include "UI/Preferences/Kit/SettingsSheet.h"

#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/PreferencesTestSupport.h"

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

} // namespace
} // namespace tessarin
