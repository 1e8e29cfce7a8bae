#include "Hotkeys/GlobalEventTapRecorder.h"
#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Preferences/About/OpenSourceLicensesWindowController.h"
#include "UI/Preferences/Display/DisplaySettingsViewIdentifier.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/ProgramPalette.h"
#include "UI/Preferences/Kit/SettingsAccentButton.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/System/SystemSettingsViewIdentifier.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>

namespace tessarin {
namespace {

// A page that shows only its title, so the window's own rules are tested without building the
// real pages.
class TitlePage final : public SettingsPageViewController {
public:
    explicit TitlePage(PreferencesPage page) : page_(page) {}

protected:
    void viewDidLoad() override {
        QWidget* label =
            SettingsPageLayout::makeLabel(title(page_), SettingsPageLayout::sectionHeaderFont());
        installPage({label});
    }

private:
    PreferencesPage page_;
};

std::unique_ptr<SettingsPageViewController> makeTitlePage(PreferencesPage page) {
    return std::make_unique<TitlePage>(page);
}

class PreferencesWindowTest : public testing::PreferencesHostTest {
protected:
    std::unique_ptr<PreferencesWindowController> makeWindow() {
        return std::make_unique<PreferencesWindowController>(nullptr, makeTitlePage, defaults);
    }
    QAction* toolbarItem(PreferencesWindowController& window, PreferencesPage page) {
        return window.tabViewController().toolbar()->findChild<QAction*>(
            toolbarItemIdentifier(page));
    }

    UserDefaults defaults;
};

struct StoredPageCase {
    const char* name;
    std::optional<int64_t> stored;
    PreferencesPage expected;
};

TEST_F(PreferencesWindowTest, OpensOnTheStoredPageOnlyWhenItNamesOne) {
    const StoredPageCase cases[] = {
        {"absent", std::nullopt, PreferencesPage::display},
        {"negative", -1, PreferencesPage::display},
        {"one past the last", 5, PreferencesPage::display},
        {"far out", 99, PreferencesPage::display},
        {"trackpad keeps 4", 4, PreferencesPage::trackpad},
        {"system is 2", 2, PreferencesPage::system},
    };
    for (const StoredPageCase& c : cases) {
        SCOPED_TRACE(c.name);
        defaults.remove(PreferencesTabViewController::selectedPageKey);
        if (c.stored) {
            defaults.set(PreferencesTabViewController::selectedPageKey, PropertyValue(*c.stored));
        }
        auto window = makeWindow();
        EXPECT_EQ(window->tabViewController().selectedPage(), c.expected);
        EXPECT_EQ(window->window()->windowTitle(), title(c.expected) + " Settings");
        EXPECT_TRUE(toolbarItem(*window, c.expected)->isChecked());
        // Opening on a page stores nothing.
        EXPECT_EQ(defaults.integerValue(PreferencesTabViewController::selectedPageKey), c.stored);
    }
}

TEST_F(PreferencesWindowTest, OnlyToolbarChoicesOfANewPageAreStored) {
    auto window = makeWindow();
    window->bringWindowToFront();
    const QList<QAction*> items = window->tabViewController().toolbar()->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[2]->objectName(), "preferences.toolbar.trackpad");
    EXPECT_EQ(items[2]->toolTip(), "Trackpad settings");

    items[0]->trigger(); // the page already shown
    EXPECT_FALSE(defaults.contains(PreferencesTabViewController::selectedPageKey));
    items[2]->trigger();
    EXPECT_EQ(defaults.integerValue(PreferencesTabViewController::selectedPageKey), 4);
    EXPECT_EQ(window->window()->windowTitle(), "Trackpad Settings");
    items[3]->trigger();
    EXPECT_EQ(defaults.integerValue(PreferencesTabViewController::selectedPageKey), 2);
    EXPECT_TRUE(window->tabViewController().currentViewController()->view()->isVisible());
    EXPECT_FALSE(
        window->tabViewController().pageController(PreferencesPage::trackpad).view()->isVisible());
}

TEST_F(PreferencesWindowTest, LosingKeyStatusEndsARecording) {
    auto window = makeWindow();
    window->bringWindowToFront();
    GlobalEventTapRecorder& recorder = GlobalEventTapRecorder::shared();
    ASSERT_TRUE(recorder.startRecording([](const Event&) {}, [] {}, [] {}, 30.0));
    QEvent resign(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(window->window(), &resign);
    EXPECT_FALSE(recorder.isRecording());
}

TEST_F(PreferencesWindowTest, TheTrackpadItemFallsBackToThePlainerHand) {
    const auto only = [](std::string present) {
        return [present](const std::string& name) { return name == present; };
    };
    EXPECT_EQ(toolbarSymbolName(PreferencesPage::trackpad, only("hand.point.up.left")),
              "hand.point.up.left");
    EXPECT_EQ(toolbarSymbolName(PreferencesPage::trackpad, [](const std::string&) { return true; }),
              "rectangle.and.hand.point.up.left");
    EXPECT_EQ(toolbarSymbolName(PreferencesPage::about, only("hand.point.up.left")), std::nullopt);
}

// The colour of the most opaque pixel of the icon an item shows, checked or not.
QColor iconInk(const QAction& item) {
    const QImage image =
        item.icon()
            .pixmap(QSize(32, 32), QIcon::Normal, item.isChecked() ? QIcon::On : QIcon::Off)
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    QColor ink(Qt::transparent);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() > ink.alpha()) {
                ink = image.pixelColor(x, y);
            }
        }
    }
    return ink;
}

// Symbols are templates, black on clear: drawn as they come, they vanish on a dark toolbar.
TEST_F(PreferencesWindowTest, ToolbarIconsAreDrawnInTheAppearanceTheyAreShownIn) {
    setAppearance(Appearance::light);
    auto window = makeWindow();
    for (const Appearance appearance : {Appearance::dark, Appearance::light, Appearance::dark}) {
        setAppearance(appearance);
        const char* shownIn = appearance == Appearance::dark ? "dark" : "light";
        for (const PreferencesPage page : allPreferencesPages) {
            const QAction* item = toolbarItem(*window, page);
            ASSERT_NE(item, nullptr);
            ASSERT_FALSE(item->icon().isNull()) << title(page).toStdString();
            // The chosen item takes the accent, the others the label colour.
            const QColor expected = SettingsPageLayout::resolvedColor(
                item->isChecked() ? SettingsSystemColor::chosenItemAccent
                                  : SettingsSystemColor::label,
                appearance);
            const QColor ink = iconInk(*item);
            EXPECT_EQ(ink.rgb(), expected.rgb()) << title(page).toStdString() << " in " << shownIn;
            EXPECT_NEAR(ink.alpha(), expected.alpha(), 2)
                << title(page).toStdString() << " in " << shownIn;
        }
    }
}

// The colour each text of `window` is drawn in, in the order its widgets were made.
std::vector<std::pair<std::string, QColor>> textColours(const QWidget& window) {
    std::vector<std::pair<std::string, QColor>> colours;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget);
            label && !label->text().isEmpty()) {
            colours.emplace_back(label->text().left(40).toStdString(),
                                 label->palette().color(QPalette::WindowText));
        } else if (const auto* editor = qobject_cast<const QPlainTextEdit*>(widget)) {
            colours.emplace_back(editor->objectName().toStdString(),
                                 editor->palette().color(QPalette::Text));
        }
    }
    return colours;
}

void expectSameTextColours(const QWidget& switched, const QWidget& fresh, const std::string& what) {
    const auto shown = textColours(switched);
    const auto expected = textColours(fresh);
    ASSERT_EQ(shown.size(), expected.size()) << what;
    for (std::size_t index = 0; index < shown.size(); ++index) {
        EXPECT_EQ(shown[index].second.name(QColor::HexArgb).toStdString(),
                  expected[index].second.name(QColor::HexArgb).toStdString())
            << what << ": \"" << shown[index].first << "\"";
    }
}

struct AppearanceSwitch {
    const char* name;
    Appearance from;
    Appearance to;
};

constexpr AppearanceSwitch appearanceSwitches[] = {
    {"light to dark", Appearance::light, Appearance::dark},
    {"dark to light", Appearance::dark, Appearance::light},
};

// Texts coloured only when they are made keep the other appearance's colour: dark text on a
// dark page.
TEST_F(PreferencesWindowTest, EveryPageSwitchedToAnAppearanceShowsTheTextColoursOfOneMadeInIt) {
    struct PageCase {
        std::string name;
        PreferencesPage page;
        bool trackpadSwipes;
    };
    std::vector<PageCase> pages;
    for (const PreferencesPage page : allPreferencesPages) {
        pages.push_back({title(page).toStdString(), page, false});
    }
    // The setup row shows only while swipes are on.
    pages.push_back({"Trackpad with swipes on", PreferencesPage::trackpad, true});
    ProgramPalette programPalette;
    for (const AppearanceSwitch& change : appearanceSwitches) {
        for (const auto& [name, page, trackpadSwipes] : pages) {
            const std::string what = name + ", " + change.name;
            TrackpadSwipeSettingsStore::shared().setNavigationEnabled(trackpadSwipes);
            setAppearance(change.from);
            PreferencesWindowController switched(nullptr);
            switched.tabViewController().selectPage(page, false);
            setAppearance(change.to);
            PreferencesWindowController fresh(nullptr);
            fresh.tabViewController().selectPage(page, false);
            QApplication::processEvents();
            expectSameTextColours(*switched.window(), *fresh.window(), what);
        }
    }
}

TEST_F(PreferencesWindowTest, TheLicencesWindowSwitchedToAnAppearanceShowsItsTextInIt) {
    ProgramPalette programPalette;
    for (const AppearanceSwitch& change : appearanceSwitches) {
        setAppearance(change.from);
        OpenSourceLicensesWindowController switched(QStringLiteral("Licence text"));
        setAppearance(change.to);
        OpenSourceLicensesWindowController fresh(QStringLiteral("Licence text"));
        QApplication::processEvents();
        expectSameTextColours(*switched.window(), *fresh.window(), change.name);
    }
}

TEST_F(PreferencesWindowTest, EachToolbarButtonShowsItsOwnRealPageAlone) {
    PreferencesWindowController window(nullptr);
    window.bringWindowToFront();
    PreferencesTabViewController& tabs = window.tabViewController();
    for (const PreferencesPage page : allPreferencesPages) {
        const std::string name = title(page).toStdString();
        QTest::mouseClick(tabs.toolbar()->widgetForAction(toolbarItem(window, page)),
                          Qt::LeftButton);
        EXPECT_EQ(window.window()->windowTitle(), title(page) + " Settings") << name;
        for (const PreferencesPage other : allPreferencesPages) {
            EXPECT_EQ(tabs.pageController(other).view()->isVisible(), other == page) << name;
        }
        // Its own sections, named after it, are what shows.
        const QRegularExpression ownSection("^" + title(page).toLower() + "\\.section\\.");
        EXPECT_FALSE(
            tabs.currentViewController()->view()->findChildren<QWidget*>(ownSection).empty())
            << name;
    }
}

// Return presses the accent button, in alerts and sheets alike; the sheet that records keys
// leaves Return to its recorders and shows a plain "Done".
TEST_F(PreferencesWindowTest, EachSheetsDoneIsTheDefaultButtonUnlessTheSheetRecordsReturn) {
    namespace DisplayId = DisplaySettingsViewIdentifier;
    namespace KeyboardId = KeyboardShortcutsViewIdentifier;
    namespace SystemId = SystemSettingsViewIdentifier;
    struct SheetCase {
        const char* name;
        PreferencesPage page;
        const char* opener;
        const char* done;
        bool accent;
    };
    const SheetCase cases[] = {
        {"Preview Snapshot", PreferencesPage::display, DisplayId::osdPreviewSnapshotControl,
         DisplayId::osdPreviewSnapshotDoneControl, true},
        {"OSD Appearance", PreferencesPage::display, DisplayId::osdCustomizeAppearanceControl,
         DisplayId::osdAppearanceDoneControl, true},
        {"Overlay", PreferencesPage::display, DisplayId::overlayCustomizeAppearanceControl,
         DisplayId::overlayAppearanceDoneControl, true},
        {"Title Overlay", PreferencesPage::display,
         DisplayId::titleOverlayCustomizeAppearanceControl,
         DisplayId::titleOverlayAppearanceDoneControl, true},
        {"App Filter", PreferencesPage::system, SystemId::appFilterControl,
         SystemId::appFilterDoneControl, true},
        {"OSD Keybinds", PreferencesPage::keyboard, KeyboardId::osdKeybindsControl,
         KeyboardId::osdKeybindsDoneControl, false},
    };
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        setAppearance(appearance);
        const QColor accent = SettingsAccentButton::bezelColor(appearance);
        PreferencesWindowController window(nullptr);
        window.bringWindowToFront();
        for (const SheetCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) +
                         (appearance == Appearance::dark ? ", dark" : ", light"));
            window.tabViewController().selectPage(c.page, false);
            auto* opener = window.window()->findChild<QPushButton*>(c.opener);
            ASSERT_NE(opener, nullptr);
            QTest::mouseClick(opener, Qt::LeftButton);
            queue.runUntilIdle();
            auto* done = window.window()->findChild<QPushButton*>(c.done);
            ASSERT_NE(done, nullptr);
            ASSERT_TRUE(done->isVisible());
            EXPECT_EQ(done->isDefault(), c.accent);
            // Beside its title, inside the rounded bezel.
            const QColor bezel = done->grab().toImage().pixelColor(QPoint(6, done->height() / 2));
            EXPECT_EQ(bezel == accent, c.accent) << bezel.name().toStdString();
            QTest::mouseClick(done, Qt::LeftButton);
            queue.runUntilIdle();
            EXPECT_FALSE(done->isVisible());
        }
    }
}

} // namespace
} // namespace tessarin
