#include "Platform/Program/ProgramBundle.h"
#include "UI/Preferences/About/AboutSettingsViewController.h"
#include "UI/Preferences/About/OpenSourceLicensesContent.h"
#include "UI/Preferences/About/OpenSourceLicensesWindowController.h"
#include "UI/Preferences/About/SoftwareUpdateController.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QBuffer>
#include <QGlyphRun>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace tessarin {
namespace {

// An update holder whose framework is configured: it only counts the checks.
class CountingUpdateChecker final : public SoftwareUpdateChecking {
public:
    bool hasUpdater() const override { return true; }
    void checkForUpdates() override { ++checks; }
    int checks = 0;
};

QByteArray png() {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class AboutSettingsTest : public testing::PreferencesHostTest {
protected:
    ProgramBundle bundleWith(PropertyDictionary info,
                             std::map<std::string, QByteArray> resources = {}) {
        ProgramBundleInfo described;
        described.contents = ProgramBundleContents{std::move(info), std::move(resources)};
        return ProgramBundle(described);
    }
    SoftwareUpdateController unconfigured;
};

struct InfoCase {
    const char* name;
    PropertyDictionary info;
    const char* header;
    const char* buildLine;
};

TEST_F(AboutSettingsTest, HeaderAndBuildLineFollowTheInfoPlist) {
    const InfoCase cases[] = {
        {"version and hash",
         {{"CFBundleShortVersionString", "2.1"}, {"GitCommitHash", " 1a2b3c \n"}},
         "Tessarin 2.1",
         "1a2b3c"},
        {"placeholder hash",
         {{"GitCommitHash", "  unknown\n"}, {"CFBundleVersion", "42"}},
         "Tessarin Unknown",
         "Build 42"},
        {"blank hash",
         {{"GitCommitHash", " \t"}, {"CFBundleVersion", "42"}},
         "Tessarin Unknown",
         "Build 42"},
        {"capital Unknown is a hash",
         {{"GitCommitHash", "Unknown"}},
         "Tessarin Unknown",
         "Unknown"},
        {"wrong types",
         {{"CFBundleShortVersionString", 2.1},
          {"GitCommitHash", int64_t{7}},
          {"CFBundleVersion", true}},
         "Tessarin Unknown",
         "Build Unknown"},
    };
    for (const InfoCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramBundle bundle = bundleWith(c.info);
        AboutSettingsViewController page(bundle, {}, unconfigured);
        page.view();
        const auto* header = page.view()->findChild<QLabel*>("about.application.header");
        const auto* build = page.view()->findChild<QLabel*>("about.application.identifier");
        ASSERT_NE(header, nullptr);
        ASSERT_NE(build, nullptr);
        EXPECT_EQ(header->text(), c.header);
        EXPECT_EQ(build->text(), c.buildLine);
    }
}

TEST_F(AboutSettingsTest, IconLookupTriesIcnsBeforePngAndTheStemOfANamedExtension) {
    using Candidates = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(AboutSettingsViewController::iconCandidates("AppIcon"),
              (Candidates{{"AppIcon", "icns"}, {"AppIcon", "png"}, {"AppIcon", ""}}));
    EXPECT_EQ(AboutSettingsViewController::iconCandidates("AppIcon.png"),
              (Candidates{{"AppIcon", "png"}, {"AppIcon.png", ""}}));

    // An .icns that does not decode is passed over for the .png.
    const ProgramBundle bundle =
        bundleWith({{"CFBundleIconFile", "AppIcon"}},
                   {{"AppIcon.icns", "not a picture"}, {"AppIcon.png", png()}});
    const auto icon = AboutSettingsViewController::loadAppIconImage(bundle);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->size(), QSize(4, 4));
}

TEST_F(AboutSettingsTest, AnUnloadableIconLeavesTheHeaderWithoutAnImage) {
    const ProgramBundle broken =
        bundleWith({{"CFBundleIconFile", "AppIcon"}}, {{"AppIcon.png", "garbage"}});
    AboutSettingsViewController page(broken, AboutSettingsViewController::loadAppIconImage,
                                     unconfigured);
    EXPECT_EQ(page.view()->findChild<QLabel*>("about.application.icon"), nullptr);
    EXPECT_NE(page.view()->findChild<QPushButton*>("about.application.checkForUpdates"), nullptr);
}

TEST_F(AboutSettingsTest, CheckForUpdatesAlertsWithoutAnUpdaterAndHandsOverWithOne) {
    const ProgramBundle bundle = bundleWith({});
    AboutSettingsViewController page(bundle, {}, unconfigured);
    page.view()->findChild<QPushButton*>("about.application.checkForUpdates")->click();
    ASSERT_EQ(host.system().shownAlerts().size(), 1u);
    EXPECT_EQ(host.system().shownAlerts().front().messageText,
              "Software Updates Are Not Configured");

    CountingUpdateChecker configured;
    AboutSettingsViewController updating(bundle, {}, configured);
    updating.view()->findChild<QPushButton*>("about.application.checkForUpdates")->click();
    EXPECT_EQ(configured.checks, 1);
    EXPECT_EQ(host.system().shownAlerts().size(), 1u);
}

TEST_F(AboutSettingsTest, TheLicencesWindowIsMadeOnceAndBroughtBack) {
    const ProgramBundle bundle = bundleWith({});
    AboutSettingsViewController page(bundle, {}, unconfigured);
    auto* button = page.view()->findChild<QPushButton*>("about.openSource.licenses");
    ASSERT_NE(button, nullptr);
    button->click();
    OpenSourceLicensesWindowController* first = page.openSourceLicensesWindowController();
    ASSERT_NE(first, nullptr);
    first->window()->close();
    button->click();
    EXPECT_EQ(page.openSourceLicensesWindowController(), first);
    EXPECT_TRUE(first->window()->isVisible());
    EXPECT_TRUE(first->textView()->isReadOnly());
    EXPECT_TRUE(first->textView()->toPlainText().contains("Three-finger tap input provided by"));
    EXPECT_FALSE(first->textView()->toPlainText().contains("License text could not be loaded."));
}

TEST_F(AboutSettingsTest, TheLicencesNameNoUnknownAddressAndDrawTheBowAsOneGlyph) {
    const ProgramBundle bundle = bundleWith({});
    AboutSettingsViewController page(bundle, {}, unconfigured);
    page.view()->findChild<QPushButton*>("about.openSource.licenses")->click();
    OpenSourceLicensesWindowController* licences = page.openSourceLicensesWindowController();
    ASSERT_NE(licences, nullptr);
    QPlainTextEdit* view = licences->textView();
    const QString text = view->toPlainText();
    EXPECT_FALSE(text.contains("address")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("Three-finger tap input provided by\n\nOpenMultitouchSupport\n"));
    const QString bow = QString::fromUtf8(OpenSourceLicensesContent::creditEmoji);
    EXPECT_TRUE(text.contains("Fast space switching method based on " + bow + "\n\n"));

    // The four code points of the bow come out of the layout as one glyph.
    const int at = static_cast<int>(text.indexOf(bow));
    const QTextBlock block = view->document()->findBlock(at);
    ASSERT_TRUE(block.isValid());
    view->document()->documentLayout()->blockBoundingRect(block); // lays the block out
    ASSERT_NE(block.layout(), nullptr);
    qsizetype glyphs = 0;
    for (const QGlyphRun& run :
         block.layout()->glyphRuns(at - block.position(), static_cast<int>(bow.size()))) {
        glyphs += run.glyphIndexes().size();
    }
    EXPECT_EQ(glyphs, 1);
}

// The licences are read, not typed in: with the keys in the text and the caret past its last
// character, nothing is drawn there.
TEST_F(AboutSettingsTest, TheLicencesShowNoCaret) {
    const ProgramBundle bundle = bundleWith({});
    AboutSettingsViewController page(bundle, {}, unconfigured);
    page.view()->findChild<QPushButton*>("about.openSource.licenses")->click();
    OpenSourceLicensesWindowController* licences = page.openSourceLicensesWindowController();
    ASSERT_NE(licences, nullptr);
    QPlainTextEdit* view = licences->textView();
    licences->window()->activateWindow();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    const QRect caret = view->cursorRect().adjusted(-1, 0, 2, 0);
    const QImage picture = view->viewport()->grab(caret).toImage();
    const QColor ground = picture.pixelColor(picture.width() - 1, 0);
    int marked = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            marked += picture.pixelColor(x, y) != ground ? 1 : 0;
        }
    }
    EXPECT_EQ(marked, 0);
}

} // namespace
} // namespace tessarin
