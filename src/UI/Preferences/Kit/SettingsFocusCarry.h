#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tessarin {

// The keyboard focus of a page's rows, carried across a re-render that replaces them: the
// control of the same name in the new rows takes the focus back, and a text field its caret, so
// typing goes on where the user left it.
class SettingsFocusCarry {
public:
    // What has the focus in `rows` (or would have it when its window is active); nothing
    // when the focus is elsewhere or on a control without a name.
    static SettingsFocusCarry takeFrom(const QWidget* rows);
    // As above, and the focus leaves `rows` for no other control: a focused control taken out
    // of its row, or hidden with the old rows, would pass it down the focus chain, and a scroll
    // area around the rows would scroll to wherever it landed.
    static SettingsFocusCarry takeOff(QWidget* rows);
    void restoreIn(QWidget& rows) const;

private:
    QString objectName_;
    std::optional<int> cursorPosition_;
};

} // namespace tessarin
