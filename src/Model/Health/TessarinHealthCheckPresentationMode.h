#pragma once

namespace tessarin {

// The page the health window shows: the setup wizard, or the closing all-set page.
enum class TessarinHealthCheckPresentationMode { setup, allSet };

} // namespace tessarin
