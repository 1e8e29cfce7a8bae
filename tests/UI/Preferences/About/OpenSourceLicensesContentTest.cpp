#include "UI/Preferences/About/OpenSourceLicensesContent.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace Content = OpenSourceLicensesContent;

class OpenSourceLicensesContentTest : public ::testing::Test {
protected:
    void write(const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QString(name) + ".txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::filesystem::path bundle() const { return folder.path().toStdString(); }

    QTemporaryDir folder;
    const QString separator = "\n\n" + QString(40, '-') + "\n\n";
};

TEST_F(OpenSourceLicensesContentTest, MissingFilesGiveTheFallbackUnderEachCredit) {
    const QString text = Content::text(bundle());
    EXPECT_TRUE(text.startsWith("Three-finger tap input provided by\n"));
    const QString fallback = Content::fallbackText;
    EXPECT_TRUE(
        text.contains("\n\n" + fallback + separator + "Fast space switching method based on "));
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("\U0001F647\u200D\u2642\uFE0F\n\n") + fallback));
    EXPECT_EQ(Content::text(std::nullopt), text);
}

// A known address stands on the line after its credit; without one the bow ends the credit's
// line rather than stand alone on a line of its own.
TEST_F(OpenSourceLicensesContentTest, AKnownAddressStandsOnTheLineAfterItsCredit) {
    const QString bow = QString::fromUtf8(Content::creditEmoji);
    const QString fallback = Content::fallbackText;
    const QString unknown = Content::text(bundle());
    EXPECT_TRUE(unknown.startsWith("Three-finger tap input provided by\n\n" + fallback));
    EXPECT_TRUE(unknown.contains("based on " + bow + "\n\n"));
    const QString known =
        Content::text(bundle(), {"https://a.example/one", "https://b.example/two"});
    EXPECT_TRUE(known.startsWith("Three-finger tap input provided by\nhttps://a.example/one\n\n"));
    EXPECT_TRUE(known.contains("based on\nhttps://b.example/two " + bow + "\n\n"));
}

TEST_F(OpenSourceLicensesContentTest, PaddingIsTrimmedAndAnEmptyFileStaysEmpty) {
    write(Content::multitouchLicenseName, "\n\n  First licence.\n  \n");
    write(Content::spaceSwitcherLicenseName, "");
    const QString text = Content::text(bundle());
    EXPECT_TRUE(text.contains("\n\nFirst licence." + separator));
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("\uFE0F\n\n")));
}

TEST_F(OpenSourceLicensesContentTest, TextThatIsNotUtf8GetsTheFallback) {
    write(Content::multitouchLicenseName, QByteArray("caf\xE9 licence"));
    EXPECT_EQ(Content::licenseText(Content::multitouchLicenseName, bundle()), std::nullopt);
    write(Content::multitouchLicenseName, QByteArray("caf\xC3\xA9"));
    EXPECT_EQ(Content::licenseText(Content::multitouchLicenseName, bundle()),
              QString::fromUtf8("caf\u00e9"));
}

} // namespace
} // namespace tessarin
