#pragma once

#include <QWidget>
#include <optional>
#include <string>

namespace tessarin {

// The column titles above the direct-slot rows, lined up with their name fields, checkboxes
// and recorders.
class DirectSlotColumnsHeaderRow final : public QWidget {
public:
    explicit DirectSlotColumnsHeaderRow(const std::optional<std::string>& headerIdentifier);
};

} // namespace tessarin
