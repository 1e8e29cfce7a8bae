#pragma once

class QToolButton;

namespace tessarin {

// A borderless image button of a system symbol, described for accessibility; shows the
// description as text when the symbol is missing.
QToolButton* makeKeyboardSymbolButton(const char* symbolName, const char* description,
                                      const char* toolTip);

} // namespace tessarin
