#include "Platform/StatusBar/StatusItem.h"

#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/StatusBarChangeFeed.h"

namespace tessarin {

void StatusBarButton::setImage(std::optional<QImage> image) {
    image_ = std::move(image);
    changed();
}

void StatusBarButton::setTitle(std::string title) {
    if (title_ != title) {
        title_ = std::move(title);
        changed();
    }
}

void StatusBarButton::setFont(StatusBarFont font) {
    if (!(font_ == font)) {
        font_ = font;
        changed();
    }
}

void StatusBarButton::setImagePosition(StatusBarImagePosition position) {
    if (imagePosition_ != position) {
        imagePosition_ = position;
        changed();
    }
}

bool StatusBarButton::isTemplate(const QImage& image) {
    return image.text(QStringLiteral("template")) == QStringLiteral("true");
}

void StatusBarButton::changed() const {
    if (feed_) {
        feed_->notify();
    }
}

StatusItem::StatusItem(double length, std::shared_ptr<StatusBarChangeFeed> feed)
    : length_(length), feed_(std::move(feed)) {
    button_.attach(feed_);
}

void StatusItem::setMenu(std::shared_ptr<Menu> menu) {
    menu_ = std::move(menu);
    if (menu_) {
        menu_->attach(feed_);
    }
    if (feed_) {
        feed_->notify();
    }
}

} // namespace tessarin
