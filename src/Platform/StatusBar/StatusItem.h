#pragma once

#include <QImage>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

class Menu;
class StatusBarChangeFeed;

// The fonts a status item's title may use.
struct StatusBarFont {
    enum class Kind { menuBarDefault, monospacedDigitSystem };
    enum class Weight { regular, semibold };
    Kind kind = Kind::menuBarDefault;
    double pointSize = 0; // 0: the menu bar's own size
    Weight weight = Weight::regular;
    friend bool operator==(const StatusBarFont&, const StatusBarFont&) = default;
};

// Where a button's image sits against its title.
enum class StatusBarImagePosition { noImage, imageOnly, imageLeft };

// What a status item shows in the menu bar: an image, a title, or both. A template image (text
// "template" = "true") is tinted by the menu bar; only its alpha counts.
class StatusBarButton {
public:
    const std::optional<QImage>& image() const { return image_; }
    void setImage(std::optional<QImage> image);
    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    const StatusBarFont& font() const { return font_; }
    void setFont(StatusBarFont font);
    StatusBarImagePosition imagePosition() const { return imagePosition_; }
    void setImagePosition(StatusBarImagePosition position);

    static bool isTemplate(const QImage& image);

    void attach(std::shared_ptr<StatusBarChangeFeed> feed) { feed_ = std::move(feed); }

private:
    void changed() const;

    std::optional<QImage> image_;
    std::string title_;
    StatusBarFont font_;
    StatusBarImagePosition imagePosition_ = StatusBarImagePosition::imageOnly;
    std::shared_ptr<StatusBarChangeFeed> feed_;
};

// One item of the status bar: its button and the menu that drops from it.
class StatusItem {
public:
    static constexpr double variableLength = -1;

    StatusItem(double length, std::shared_ptr<StatusBarChangeFeed> feed);

    double length() const { return length_; }
    // The button; null once the item was removed from the bar.
    StatusBarButton* button() { return removed_ ? nullptr : &button_; }
    const StatusBarButton* button() const { return removed_ ? nullptr : &button_; }
    const std::shared_ptr<Menu>& menu() const { return menu_; }
    void setMenu(std::shared_ptr<Menu> menu);

    void markRemoved() { removed_ = true; }

private:
    double length_;
    StatusBarButton button_;
    std::shared_ptr<Menu> menu_;
    std::shared_ptr<StatusBarChangeFeed> feed_;
    bool removed_ = false;
};

} // namespace tessarin
