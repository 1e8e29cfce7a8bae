#pragma once

namespace tessarin {

// What start-up shows of the health window: nothing, the setup wizard or the all-set page.
enum class TessarinHealthLaunchPresentation { none, setup, allSet };

} // namespace tessarin
