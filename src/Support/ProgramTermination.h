#pragma once

namespace tessarin {

// Ends the run: the event loop returns, whatever a window would answer to being closed (asking
// it to quit lets a window that refuses to close, such as the health window on a required step,
// keep the program running). The delegate's stop follows in `main`.
void terminateProgram();

} // namespace tessarin
