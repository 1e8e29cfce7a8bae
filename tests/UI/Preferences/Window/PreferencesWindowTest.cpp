#include "Hotkeys/GlobalEventTapRecorder.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"

#include <QAction>
#include <QLabel>
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

} // namespace
} // namespace tessarin
