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

// The sheet's frame hangs from the top of the window's content, its middle over the window's
// (up to the width of its frame's border).
void expectOnWindow(const QWidget& sheet, const QWidget& window) {
    EXPECT_EQ(sheet.frameGeometry().top(), window.geometry().top());
    const int border = sheet.geometry().x() - sheet.frameGeometry().x();
    EXPECT_NEAR(QRectF(sheet.geometry()).center().x(), QRectF(window.geometry()).center().x(),
                border + 0.5);
}

TEST_F(SettingsSheetTest, ASheetHangsFromTheTopOfItsWindowCentredAcrossIt) {
    window.setGeometry(300, 200, 640, 480);
    window.show();
    sheet.begin(window);
    EXPECT_EQ(sheet.size(), QSize(520, 400));
    expectOnWindow(sheet, window);
    sheet.end();
    // Shown again after the window moved, it comes with the window.
    window.move(40, 60);
    sheet.begin(window);
    expectOnWindow(sheet, window);
    sheet.end();

    // A sheet that was never sized takes its own size first.
    QWidget plain;
    plain.setFixedSize(300, 120);
    beginSheet(plain, window);
    EXPECT_EQ(plain.size(), QSize(300, 120));
    expectOnWindow(plain, window);
    endSheet(plain);
}

} // namespace
} // namespace tessarin
