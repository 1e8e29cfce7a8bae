#include "UI/Preferences/Kit/SettingsSheet.h"

#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsFooterView.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace tessarin {
namespace {

// A new height climbs from a row to the sheet over a few turns of the loop.
void settleLayouts() {
    for (int round = 0; round < 4; ++round) {
        QApplication::processEvents();
    }
}

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
    auto* button = sheet.findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    for (const bool takesReturn : {true, false, true}) {
        done = 0;
        sheet.setDefaultButtonTakesReturn(takesReturn);
        sheet.begin(window);
        // The accent marks the button only while Return presses it.
        EXPECT_EQ(button->isDefault(), takesReturn);
        QTest::keyClick(&sheet, Qt::Key_Return);
        EXPECT_EQ(done, takesReturn ? 1 : 0);
        EXPECT_EQ(sheet.isVisible(), !takesReturn);
        sheet.end();
    }
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);
}

// A detail line that follows its setting may need more lines than the one it replaced, while
// the sheet is shown or before it first shows.
TEST_F(SettingsSheetTest, TheSheetGrowsAndShrinksWithARowWhoseDetailChanges) {
    SettingsSheet small{QSize(520, 200), "Preview", "How pictures refresh"};
    auto* row = new SettingsRowView("Timing", QString("Short."), new QPushButton("Choose"));
    small.setSection(new SettingsSectionView("Snapshot", "section", {row}));
    small.begin(window);
    const int shortHeight = small.height();
    const QString longDetail =
        QString("Refreshes every five minutes and each window every thirty seconds. ").repeated(4);
    for (const QString& detail : {longDetail, QString("Short.")}) {
        row->detailLabel()->setText(detail);
        // The new height climbs from the row to the sheet over a few turns of the loop.
        for (int round = 0; round < 4; ++round) {
            QApplication::processEvents();
        }
        QLabel& label = *row->detailLabel();
        EXPECT_GE(label.height(), label.heightForWidth(label.width())) << detail.toStdString();
        EXPECT_EQ(small.height() > shortHeight, detail == longDetail) << detail.toStdString();
    }
    small.end();
}

// Content shorter than the sheet was designed for leaves it at its designed height: its footer
// stays where the design puts it, however the content came to be short.
TEST_F(SettingsSheetTest, TheSheetNeverShrinksBelowItsDesignedHeight) {
    const QString longDetail = QString("Each window keeps its own picture. ").repeated(30);
    const struct {
        const char* name;
        std::function<void(SettingsSheet&)> shorten;
    } cases[] = {
        {"no section", [](SettingsSheet&) {}},
        {"a short section",
         [](SettingsSheet& shown) {
             shown.setSection(new SettingsSectionView(
                 "Snapshot", "section",
                 {new SettingsRowView("Timing", QString("Short."), new QPushButton("Choose"))}));
         }},
        {"a tall section replaced by a short one",
         [&longDetail](SettingsSheet& shown) {
             auto* row = new SettingsRowView("Timing", longDetail, new QPushButton("Choose"));
             shown.setSection(new SettingsSectionView("Snapshot", "section", {row}));
             settleLayouts();
             EXPECT_GT(shown.height(), 400) << "the tall section grew the sheet";
             shown.setSection(new SettingsSectionView(
                 "Snapshot", "section",
                 {new SettingsRowView("Timing", QString("Short."), new QPushButton("Choose"))}));
         }},
        {"a row whose detail became short",
         [&longDetail](SettingsSheet& shown) {
             auto* row = new SettingsRowView("Timing", longDetail, new QPushButton("Choose"));
             shown.setSection(new SettingsSectionView("Snapshot", "section", {row}));
             settleLayouts();
             row->detailLabel()->setText("Short.");
         }},
    };
    for (const auto& c : cases) {
        SettingsSheet designed{QSize(520, 400), "Preview", "How pictures refresh"};
        designed.addButton("Done", true, {});
        designed.begin(window);
        c.shorten(designed);
        settleLayouts();
        EXPECT_EQ(designed.height(), 400) << c.name;
        EXPECT_EQ(designed.footer()->geometry().bottom(), 399) << c.name;
        designed.end();
    }
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
