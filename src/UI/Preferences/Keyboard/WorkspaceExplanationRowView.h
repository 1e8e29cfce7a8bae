#pragma once

#include <QWidget>
#include <string>

namespace tessarin {

// A wrapped line of explanation inside a settings card.
class WorkspaceExplanationRowView final : public QWidget {
public:
    WorkspaceExplanationRowView(const std::string& text, const std::string& textIdentifier);
};

} // namespace tessarin
