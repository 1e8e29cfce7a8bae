#pragma once

#include <QWidget>
#include <functional>

namespace tessarin {

// The window of the preferences, the open-source licences and the health check: a panel that
// can become both key and main. Its standard controls, and those of its sheets, are drawn with
// the program's palette (ProgramPalette) in the host's light or dark appearance.
class PreferencesPanel : public QWidget {
    Q_OBJECT

public:
    explicit PreferencesPanel(QWidget* parent = nullptr);

    static constexpr bool canBecomeKey() { return true; }
    static constexpr bool canBecomeMain() { return true; }

    // Told when the panel stops being the key window (another window or application took the
    // keys); the owners end a shortcut recording there.
    std::function<void()> onResignKey;

protected:
    bool event(QEvent* event) override;
};

// Shows `sheet` as a sheet of `window`: modal to that window only, in front of it. The sheet is
// hidden, not destroyed, when it ends.
void beginSheet(QWidget& sheet, QWidget& window);
void endSheet(QWidget& sheet);

} // namespace tessarin
