#pragma once

#include <QString>
#include <QWidget>
#include <optional>

namespace tessarin {

// A row holding one control in its middle (a button under a list, for example).
class SettingsCenteredControlRowView final : public QWidget {
    Q_OBJECT

public:
    // Takes the control.
    explicit SettingsCenteredControlRowView(QWidget* controlView,
                                            const std::optional<QString>& controlIdentifier = {},
                                            QWidget* parent = nullptr);
    // A kept control goes back to its page's shelf.
    ~SettingsCenteredControlRowView() override;

    void applyEnabledState(bool enabled);
    QWidget* controlView() const { return controlView_; }

private:
    QWidget* controlView_;
};

} // namespace tessarin
