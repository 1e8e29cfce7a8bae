#pragma once

#include <QPointer>
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
    // A kept control goes back to its page's shelf; a row deleted after its page and control
    // are gone touches nothing.
    ~SettingsCenteredControlRowView() override;

    void applyEnabledState(bool enabled);
    QWidget* controlView() const { return controlView_; }

private:
    QPointer<QWidget> controlView_;
};

} // namespace tessarin
