#include "UI/Preferences/About/OpenSourceLicensesContent.h"

#include "Platform/Program/ProgramBuildInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace tessarin::OpenSourceLicensesContent {

namespace fs = std::filesystem;

namespace {

constexpr const char* bundleName = "Tessarin_Tessarin.bundle";

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

std::optional<fs::path> packageResourceBundle() {
    if (QCoreApplication::instance() != nullptr) {
        const fs::path beside =
            fs::path(QCoreApplication::applicationDirPath().toStdString()) / bundleName;
        if (isFolder(beside)) {
            return beside;
        }
    }
    const fs::path built = ProgramBuildInfo::resourceBundlePath();
    if (!built.empty() && isFolder(built)) {
        return built;
    }
    return std::nullopt;
}

std::optional<QString> licenseText(const std::string& name, const std::optional<fs::path>& bundle) {
    if (!bundle) {
        return std::nullopt;
    }
    QFile file(QString::fromStdString((*bundle / (name + ".txt")).string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return decoded.trimmed();
}

QString text(const std::optional<fs::path>& bundle, const SourceAddresses& addresses) {
    const QString fallback = QString::fromUtf8(fallbackText);
    const QString multitouch = licenseText(multitouchLicenseName, bundle).value_or(fallback);
    const QString spaceSwitcher = licenseText(spaceSwitcherLicenseName, bundle).value_or(fallback);
    const QString separator =
        QStringLiteral("\n\n") + QString(40, QChar('-')) + QStringLiteral("\n\n");
    const QString bow = QString::fromUtf8(creditEmoji);
    // An address nobody recorded leaves its line out rather than say so in the credit; the bow
    // that follows the address then ends the credit's own line instead of standing alone.
    const QString multitouchCredit =
        QStringLiteral("Three-finger tap input provided by") +
        (addresses.multitouch ? QStringLiteral("\n") + *addresses.multitouch : QString());
    const QString spaceSwitcherCredit =
        QStringLiteral("Fast space switching method based on") +
        (addresses.spaceSwitcher ? QStringLiteral("\n") + *addresses.spaceSwitcher : QString()) +
        QStringLiteral(" ") + bow;
    return multitouchCredit + QStringLiteral("\n\n") + multitouch + separator +
           spaceSwitcherCredit + QStringLiteral("\n\n") + spaceSwitcher;
}

} // namespace tessarin::OpenSourceLicensesContent
