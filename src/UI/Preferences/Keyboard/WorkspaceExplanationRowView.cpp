#include "UI/Preferences/Keyboard/WorkspaceExplanationRowView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessarin {

WorkspaceExplanationRowView::WorkspaceExplanationRowView(const std::string& text,
                                                         const std::string& textIdentifier) {
    auto* label = new QLabel(QString::fromStdString(text), this);
    label->setObjectName(QString::fromStdString(textIdentifier));
    QFont font = label->font();
    font.setPointSize(11);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 11, 16, 11);
    layout->addWidget(label);
}

} // namespace tessarin
