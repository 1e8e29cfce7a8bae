#pragma once

#include "Platform/SystemAlert.h"

#include <QDialog>

namespace tessarin {

// A host alert as a person sees it on the desktop: the message in bold over the informative
// text, the buttons in a row at the right with the first one (the default, which Return
// presses) rightmost, in the colours of the host's appearance. Closing it with Escape presses
// the button titled "Cancel", else the first.
class SystemAlertDialog final : public QDialog {
public:
    static constexpr int width = 420;

    explicit SystemAlertDialog(const SystemAlert& alert, QWidget* parent = nullptr);

    // The answer of the button pressed: AlertResponse::firstButton for the first, and so on.
    int response() const { return response_; }

    // Shows the alert modally and answers the button pressed; the desktop's alert presenter.
    static int run(const SystemAlert& alert);

protected:
    void reject() override;
    void showEvent(QShowEvent* event) override;

private:
    int response_ = AlertResponse::firstButton;
    int cancelResponse_ = AlertResponse::firstButton;
};

} // namespace tessarin
