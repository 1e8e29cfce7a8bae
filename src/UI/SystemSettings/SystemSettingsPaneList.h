#pragma once

#include <QWidget>

namespace tessarin {

// The rounded box a System Settings pane lists its rows in, ringed in the accent colour while
// something would be taken by it.
class SystemSettingsPaneList : public QWidget {
    Q_OBJECT

public:
    explicit SystemSettingsPaneList(QWidget* parent = nullptr);

    void setRinged(bool ringed);
    bool isRinged() const { return ringed_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool ringed_ = false;
};

} // namespace tessarin
