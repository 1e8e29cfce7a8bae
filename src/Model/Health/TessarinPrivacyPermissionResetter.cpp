#include "Model/Health/TessarinPrivacyPermissionResetter.h"

#include "Model/Health/TessarinPrivacyPermissionPromptHistory.h"
#include "Platform/Host.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Program/ProgramBundle.h"
#include "Support/Text.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace tessarin {

std::string TessarinPrivacyPermissionResetter::decodedToolOutput(const std::string& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), std::ssize(bytes)));
    if (decoder.hasError()) {
        return {};
    }
    return trimmingWhitespaceAndNewlines(text.toStdString());
}

std::optional<TessarinPrivacyPermissionResetError>
TessarinPrivacyPermissionResetter::runTCCUtilReset(const std::string& service,
                                                   const std::string& bundleIdentifier) {
    using Error = TessarinPrivacyPermissionResetError;
    ProcessLaunchResult launched = Host::current().processes().launch(
        kPrivacyResetToolPath, {"reset", service, bundleIdentifier});
    if (!launched) {
        return Error::systemError(launched.error);
    }
    // Drain the pipe before waiting: a tool that writes more than the pipe holds would
    // otherwise never exit, and the wait would never return.
    const std::string output = launched.process->readToEnd();
    const ProcessWaitResult exit = launched.process->waitUntilExit();
    if (!exit) {
        return Error::systemError(exit.error);
    }
    if (*exit.exitStatus == 0) {
        return std::nullopt;
    }
    return Error::tccutilFailed(service, *exit.exitStatus, decodedToolOutput(output));
}

std::optional<TessarinPrivacyPermissionResetError>
TessarinPrivacyPermissionResetter::resetAll(UserDefaults& defaults) {
    const std::string bundleIdentifier = Host::current().programBundle().resolvedIdentifier();
    if (bundleIdentifier.empty()) {
        return TessarinPrivacyPermissionResetError::missingBundleIdentifier();
    }
    for (const char* service : {PrivacyService::accessibility, PrivacyService::screenCapture}) {
        if (auto error = runTCCUtilReset(service, bundleIdentifier)) {
            return error;
        }
    }
    TessarinPrivacyPermissionPromptHistory::clearAll(defaults);
    return std::nullopt;
}

} // namespace tessarin
