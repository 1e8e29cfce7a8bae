#pragma once

#include <QComboBox>
#include <QVariant>
#include <functional>
#include <optional>

namespace tessarin {

// A pop-up menu of choices; each item carries the raw value it stands for, so the page reads
// and selects values, not positions.
class SettingsPopUpButton final : public QComboBox {
    Q_OBJECT

public:
    explicit SettingsPopUpButton(QWidget* parent = nullptr);

    void addItemWithRawValue(const QString& title, const QVariant& rawValue);
    std::optional<QVariant> selectedRawValue() const;
    std::optional<QVariant> rawValue(int index) const;
    // Selects the first item carrying `rawValue`; false, with the selection unchanged, when no
    // item does.
    bool selectItemWithRawValue(const QVariant& rawValue);

    // Regular size, no border, the border not shown even under the mouse.
    void setRegularUnborderedStyle();

    // Told of the raw value of an item the user chose.
    std::function<void(const QVariant&)> onSelectionChanged;
};

} // namespace tessarin
