#include "UI/Alerts/SystemAlertDialog.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/ProgramPalette.h"
#include "UI/Preferences/Kit/SettingsCardView.h"
#include "UI/Preferences/Kit/SettingsCenteredControlRowView.h"
#include "UI/Preferences/Kit/SettingsControlShelf.h"
#include "UI/Preferences/Kit/SettingsFooterView.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSeparatorView.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

namespace tessarin {
namespace {

namespace L = SettingsPageLayout;
using testing::flushDeferredDeletes;

class SettingsKitTest : public testing::PreferencesHostTest {
protected:
    QColor color(SettingsSystemColor which) {
        return L::resolvedColor(which, host.system().appearance());
    }
};

std::vector<QWidget*> plainRows(int count) {
    std::vector<QWidget*> rows;
    for (int index = 0; index < count; ++index) {
        rows.push_back(new SettingsRowView("Row", std::nullopt, new QPushButton("Go")));
    }
    return rows;
}

TEST_F(SettingsKitTest, ACardPutsAHairlineBetweenEachTwoRows) {
    for (const int rows : {1, 2, 5}) {
        SettingsCardView card(plainRows(rows));
        EXPECT_EQ(card.findChildren<SettingsSeparatorView*>().size(), std::size_t(rows - 1))
            << rows << " rows";
    }
}

TEST_F(SettingsKitTest, ADisabledRowDimsItsLabelsAndSwitchesItsControl) {
    auto* button = new QPushButton("Go");
    SettingsRowView row("Title", QString("Detail"), button, QString("row.id"),
                        QString("row.control"), QString("row.detail"));
    EXPECT_EQ(row.objectName(), "row.id");
    EXPECT_EQ(button->objectName(), "row.control");
    ASSERT_NE(row.detailLabel(), nullptr);
    EXPECT_EQ(row.detailLabel()->objectName(), "row.detail");
    EXPECT_EQ(L::textColor(*row.detailLabel()), color(SettingsSystemColor::secondaryLabel));

    row.applyEnabledState(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(L::textColor(*row.titleLabel()), color(SettingsSystemColor::disabledControlText));
    EXPECT_EQ(L::textColor(*row.detailLabel()), color(SettingsSystemColor::disabledControlText));
    row.applyEnabledState(true);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(L::textColor(*row.titleLabel()), color(SettingsSystemColor::label));
}

TEST_F(SettingsKitTest, ARowSwitchesACompositeThroughItsProtocolAndLeavesPlainViewsAlone) {
    auto* slider = new SettingsSliderControl(0, 100, 10, [](int v) { return QString::number(v); });
    SettingsRowView sliderRow("Slider", std::nullopt, slider);
    sliderRow.applyEnabledState(false);
    EXPECT_FALSE(slider->slider()->isEnabled());
    EXPECT_TRUE(slider->isEnabled()); // only its parts
    EXPECT_EQ(L::textColor(*slider->valueLabel()), color(SettingsSystemColor::disabledControlText));

    auto* plain = new QWidget;
    SettingsRowView plainRow("Plain", std::nullopt, plain);
    plainRow.applyEnabledState(false);
    EXPECT_TRUE(plain->isEnabled());
    EXPECT_EQ(L::textColor(*plainRow.titleLabel()),
              color(SettingsSystemColor::disabledControlText));
}

struct ReadOutCase {
    const char* name;
    bool enabled;
    Appearance madeIn;
    Appearance shownIn;
    SettingsSystemColor expected;
};

TEST_F(SettingsKitTest, ASliderReadOutTakesTheColourOfTheAppearanceItIsShownIn) {
    using enum Appearance;
    using C = SettingsSystemColor;
    const ReadOutCase cases[] = {
        {"enabled, light to dark", true, light, dark, C::secondaryLabel},
        {"enabled, dark to light", true, dark, light, C::secondaryLabel},
        {"disabled, light to dark", false, light, dark, C::disabledControlText},
        {"disabled, dark to light", false, dark, light, C::disabledControlText},
    };
    for (const ReadOutCase& c : cases) {
        setAppearance(c.madeIn);
        SettingsSliderControl slider(0, 100, 10, nullptr);
        slider.applySettingsEnabledState(c.enabled);
        setAppearance(c.shownIn);
        EXPECT_EQ(L::textColor(*slider.valueLabel()), L::resolvedColor(c.expected, c.shownIn))
            << c.name;
    }
}

TEST_F(SettingsKitTest, TheSliderSnapsEveryValueToTheNearestStepWithinItsBounds) {
    SettingsSliderControl slider(300, 2000, 50, [](int v) { return QString("%1 ms").arg(v); });
    for (int v = 200; v <= 2100; ++v) {
        const int expected = v < 300 ? 300 : std::min(2000, 300 + (v - 300 + 25) / 50 * 50);
        slider.slider()->setValue(v); // the knob itself moves freely within the bounds
        ASSERT_EQ(slider.value(), expected) << v;
        slider.setValue(v);
        ASSERT_EQ(slider.slider()->value(), expected) << v;
        ASSERT_EQ(slider.valueLabel()->text(), QString("%1 ms").arg(expected)) << v;
    }
    EXPECT_EQ(slider.normalizedValue(324), 300);
    EXPECT_EQ(slider.normalizedValue(325), 350);
    EXPECT_EQ(slider.normalizedValue(5000), 2000);
}

TEST_F(SettingsKitTest, ASliderWithoutAPositiveStepMovesInWholeUnits) {
    // clang-format off
    const std::tuple<const char*, int, int, int> rows[] = {
        {"zero", 0, 7, 7}, {"negative", -5, 7, 7}, {"belowMinimum", 0, -3, 0}};
    // clang-format on
    for (const auto& [name, step, value, expected] : rows) {
        SettingsSliderControl slider(0, 10, step, nullptr);
        EXPECT_EQ(slider.step(), 1) << name;
        EXPECT_EQ(slider.slider()->tickInterval(), 1) << name;
        slider.setValue(value);
        EXPECT_EQ(slider.value(), expected) << name;
    }
}

TEST_F(SettingsKitTest, InstallingAPageAgainLeavesOnlyTheNewSections) {
    SettingsPageViewController page;
    page.view()->resize(620, 700);
    page.installPage({new SettingsSectionView("First", "first.title", plainRows(2))});
    QPointer<QWidget> first = page.installedSections().front();
    page.installPage({new SettingsSectionView("Second", "second.title", plainRows(1)),
                      new SettingsSectionView("Third", "third.title", plainRows(3))});
    ASSERT_EQ(page.installedSections().size(), 2u);
    EXPECT_EQ(page.view()->findChild<QLabel*>("first.title"), nullptr);
    EXPECT_NE(page.view()->findChild<QLabel*>("third.title"), nullptr);
    flushDeferredDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_GE(page.contentContainerView()->height(),
              page.installedSections().front()->sizeHint().height() + 48);
}

// A re-render gives the focus back to the new control of the same name only where a click could
// have put it: not to one that is switched off or takes no focus.
TEST_F(SettingsKitTest, AReRenderCarriesTheFocusOnlyToAControlThatTakesIt) {
    struct Case {
        const char* name;
        std::function<QWidget*()> make;
        bool rowEnabled;
        bool focused;
    };
    const Case cases[] = {
        {"a field", [] { return new QLineEdit; }, true, true},
        {"a button", [] { return new QPushButton("Go"); }, true, true},
        {"a field of a row switched off", [] { return new QLineEdit; }, false, false},
        {"a label", [] { return new QLabel("Read only"); }, true, false},
        {"a field taking no focus",
         [] {
             auto* field = new QLineEdit;
             field->setFocusPolicy(Qt::NoFocus);
             return field;
         },
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsPageViewController page;
        page.view()->show();
        QApplication::setActiveWindow(page.view());
        const auto render = [&page](QWidget* control, bool enabled) {
            control->setObjectName("row.control");
            auto* row = new SettingsRowView("Name", std::nullopt, control);
            row->applyEnabledState(enabled);
            page.installPage({new SettingsSectionView("S", "s", {row})});
        };
        auto* field = new QLineEdit;
        render(field, true);
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), field);
        QWidget* next = c.make();
        render(next, c.rowEnabled);
        EXPECT_EQ(QApplication::focusWidget() == next, c.focused);
    }
}

// A re-render leaves a focused control outside the page's rows where it is.
TEST_F(SettingsKitTest, AReRenderLeavesTheFocusOutsideThePageAlone) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* search = new QLineEdit;
    search->setObjectName("search");
    layout->addWidget(search);
    SettingsPageViewController page;
    layout->addWidget(page.view());
    page.installPage({new SettingsSectionView("S", "s", plainRows(1))});
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::mouseClick(search, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), search);
    page.installPage({new SettingsSectionView("S", "s", plainRows(2))});
    EXPECT_EQ(QApplication::focusWidget(), search);
}

TEST_F(SettingsKitTest, KeptControlsOutliveTheRowsThatShowedThem) {
    SettingsPageViewController page;
    page.view();
    auto* kept = new QPushButton("Kept");
    page.keepControl(kept);
    QPointer<QPushButton> keptAlive = kept;
    auto* loose = new QPushButton("Loose");
    QPointer<QPushButton> looseAlive = loose;
    const auto render = [&](bool withKept) {
        std::vector<QWidget*> rows{new SettingsRowView("Loose", std::nullopt, loose)};
        if (withKept) {
            rows.push_back(new SettingsRowView("Kept", std::nullopt, kept, {}, QString("k")));
        }
        page.installPage({new SettingsSectionView("S", "s", rows)});
    };
    render(true);
    loose = new QPushButton("Loose");
    render(true); // the kept control moves into the new row
    flushDeferredDeletes();
    ASSERT_FALSE(keptAlive.isNull());
    EXPECT_TRUE(looseAlive.isNull()); // only the old row held it
    EXPECT_EQ(page.view()->findChild<QPushButton*>("k"), kept);

    loose = new QPushButton("Loose");
    render(false); // left out: back on the shelf once the old row is gone
    flushDeferredDeletes();
    ASSERT_FALSE(keptAlive.isNull());
    EXPECT_EQ(kept->parentWidget(), &page.controlShelf());
}

TEST_F(SettingsKitTest, RowsDeletedAfterTheirPageAndControlsTouchNeither) {
    auto page = std::make_unique<SettingsPageViewController>();
    page->view();
    const QPointer<QWidget> kept = new QPushButton("Kept");
    const QPointer<QWidget> centered = new QPushButton("Centered");
    page->keepControl(kept);
    page->keepControl(centered);
    const auto render = [&] {
        const QPointer<QWidget> row = new SettingsRowView("K", {}, kept);
        const QPointer<QWidget> centredRow = new SettingsCenteredControlRowView(centered);
        page->installPage({new SettingsSectionView("S", "s", {row, centredRow})});
        return std::pair(row, centredRow);
    };
    const auto [firstRow, firstCentredRow] = render();
    render();     // the first rows now wait for deletion
    page.reset(); // its shelf takes the controls down
    EXPECT_FALSE(kept || centered);
    EXPECT_TRUE(firstRow && firstCentredRow);
    flushDeferredDeletes(); // then the first rows go, touching neither (the sanitizer watches)
    EXPECT_FALSE(firstRow || firstCentredRow);
}

TEST_F(SettingsKitTest, SwitchingTheAppearanceRecoloursCardsSeparatorsFootersAndSheets) {
    ProgramPalette programPalette;
    PreferencesPanel panel;
    auto* button = new QPushButton("Customize…", &panel);
    SettingsCardView card(plainRows(2));
    SettingsFooterView footer;
    SettingsSheet sheet(QSize(520, 400), "Keys", "Inside the grid");
    auto* separator = card.findChild<SettingsSeparatorView*>();
    ASSERT_NE(separator, nullptr);
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        setAppearance(appearance);
        QApplication::processEvents();
        const QColor window = L::resolvedColor(SettingsSystemColor::windowBackground, appearance);
        const QColor line = L::resolvedColor(SettingsSystemColor::separator, appearance);
        EXPECT_EQ(card.backgroundColor(),
                  appearance == Appearance::light ? QColor::fromRgbF(0.97f, 0.97f, 0.97f) : window);
        EXPECT_EQ(card.borderColor(), line);
        EXPECT_EQ(separator->lineColor(), line);
        EXPECT_EQ(footer.backgroundColor(), window);
        EXPECT_EQ(L::textColor(*sheet.titleLabel()), color(SettingsSystemColor::label));
        EXPECT_EQ(L::textColor(*sheet.subtitleLabel()), color(SettingsSystemColor::secondaryLabel));
        // A standard control of the window is no light box on a dark page.
        EXPECT_EQ(button->palette().color(QPalette::Window), window);
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), color(SettingsSystemColor::label));
    }
}

// Sheets, alerts, menus and pop-up lists are windows of their own: none inherits the palette
// of the window it belongs to, so each must take the program's.
TEST_F(SettingsKitTest, EveryWindowOfTheProgramIsDrawnInTheAppearance) {
    const QPalette before = QApplication::palette();
    {
        ProgramPalette programPalette;
        PreferencesPanel panel;
        auto* popUp = new QComboBox(&panel);
        popUp->addItems({"Left", "Right"});
        SettingsSheet sheet(QSize(520, 300), "Keys", "Inside the grid");
        QPushButton* done = sheet.addButton("Done", true, {});
        sheet.begin(panel);
        SystemAlertDialog alert(SystemAlert{"Shortcut in use", "Choose another.", {"OK"}});
        QMenu menu;
        menu.addAction("Show Grid");
        const std::vector<std::pair<const char*, QWidget*>> windows = {
            {"panel", &panel}, {"pop-up list", popUp->view()},
            {"sheet", &sheet}, {"sheet's button", done},
            {"alert", &alert}, {"menu", &menu}};
        for (const Appearance appearance : {Appearance::dark, Appearance::light}) {
            setAppearance(appearance);
            const QPalette expected = L::controlPalette(appearance);
            // The application hands its palette to its windows on the loop's next turn.
            QApplication::processEvents();
            for (const auto& [name, window] : windows) {
                for (const QPalette::ColorRole role :
                     {QPalette::Window, QPalette::Button, QPalette::ButtonText, QPalette::Base,
                      QPalette::Text}) {
                    EXPECT_EQ(window->palette().color(role), expected.color(role))
                        << name << " in " << (appearance == Appearance::dark ? "dark" : "light")
                        << ", role " << role;
                }
            }
        }
        setAppearance(Appearance::dark);
    }
    // Gone, it leaves the application as it found it.
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), before.color(QPalette::Window));
}

} // namespace
} // namespace tessarin
