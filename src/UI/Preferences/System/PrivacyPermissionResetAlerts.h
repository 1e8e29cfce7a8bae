#pragma once

#include "Model/Health/TessarinPrivacyPermissionResetError.h"

#include <optional>

namespace tessarin {

// How a privacy reset ended: nothing when both decisions were reset, else why it stopped.
using PrivacyPermissionResetResult = std::optional<TessarinPrivacyPermissionResetError>;

// The System page's modal alerts around a privacy reset.
namespace PrivacyPermissionResetAlerts {

// Asks before anything is reset; true when the user chose "Reset Permissions".
bool confirm();

// Says that the decisions were reset, or why not.
void showResult(const PrivacyPermissionResetResult& result);

} // namespace PrivacyPermissionResetAlerts

} // namespace tessarin
