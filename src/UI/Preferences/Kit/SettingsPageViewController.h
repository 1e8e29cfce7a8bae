#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QScrollArea;
class QVBoxLayout;

namespace tessarin {

class SettingsColorWell;
class SettingsControlShelf;
class SettingsFocusCarry;
class SettingsPopUpButton;
class SettingsSegmentedControl;
class SettingsSwitch;

// The document view of a page: content starts at its top and only its height scrolls.
class FlippedContainerView final : public QWidget {
    Q_OBJECT

public:
    explicit FlippedContainerView(QWidget* parent = nullptr);
    static constexpr bool isFlipped() { return true; }
};

// A page's root view: the content background under the scrolling sections.
class SettingsContentBackgroundView final : public QWidget {
    Q_OBJECT

public:
    explicit SettingsContentBackgroundView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The base of every settings page: a scrolling stack of titled sections. A page creates its
// controls once, keeps them on its shelf, and on every render builds new rows and sections
// around the same controls and installs them here.
class SettingsPageViewController {
public:
    SettingsPageViewController();
    virtual ~SettingsPageViewController();
    SettingsPageViewController(const SettingsPageViewController&) = delete;
    SettingsPageViewController& operator=(const SettingsPageViewController&) = delete;

    // The page's root view, made on first use (`loadView`, then `viewDidLoad`).
    QWidget* view();
    bool isViewLoaded() const { return view_ != nullptr; }

    // Replaces the page's sections with `sections` (taking them). The old ones are deleted
    // later, so a render started from a control inside them returns safely; kept controls
    // that the new sections do not show go back to the shelf. The focus stays on the control
    // of the same name in the new sections.
    void installPage(const std::vector<QWidget*>& sections);
    // As above, with the sections `makeSections` builds around the kept controls once the focus
    // is off the old rows, so the control that had it neither passes it on nor moves the page.
    void installPageMadeBy(const std::function<std::vector<QWidget*>()>& makeSections);
    // The sections installed last, top to bottom.
    std::vector<QWidget*> installedSections() const;

    // Keeps a control for the page's whole life, whatever happens to the rows that show it.
    void keepControl(QWidget* control);
    SettingsControlShelf& controlShelf() const { return *shelf_; }

    void configurePopupButton(SettingsPopUpButton& popup);
    void configureSwitch(SettingsSwitch& control);
    void configureColorWell(SettingsColorWell& well);
    void configureSegmentedControl(SettingsSegmentedControl& control);

    QScrollArea* scrollView() const { return scrollView_; }
    FlippedContainerView* contentContainerView() const { return contentContainerView_; }

protected:
    virtual void loadView();
    // Called once the view exists; pages build their controls and first render here.
    virtual void viewDidLoad() {}

private:
    void installSections(const std::vector<QWidget*>& sections, const SettingsFocusCarry& focus);

    // Destroyed last, so rows dying with the view can still hand their kept controls back.
    std::unique_ptr<SettingsControlShelf> shelf_;
    QScrollArea* scrollView_;
    FlippedContainerView* contentContainerView_;
    QVBoxLayout* documentLayout_;
    QWidget* sectionStack_ = nullptr;
    QWidget* view_ = nullptr;
};

} // namespace tessarin
