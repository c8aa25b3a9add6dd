// A row of items at the top of a window, asked of a delegate by identifier: buttons with an image and a
// label that send an action, views (a segmented control, say), and flexible spaces. Items the delegate calls
// selectable show which one is selected. A toolbar that allows customisation lets the user add and remove the
// delegate's allowed items (from the toolbar's context menu); one that autosaves keeps its items and display
// mode in the user defaults ("NSToolbar Configuration <identifier>") and comes back with them. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/rect.h"
#include "platform/ui/action.h"
#include "platform/ui/responder.h"

namespace ui {

class Picture;
class Toolbar;
class View;

inline const std::string toolbarFlexibleSpaceItemIdentifier = "NSToolbarFlexibleSpaceItem";
inline const std::string toolbarSpaceItemIdentifier = "NSToolbarSpaceItem";

class ToolbarItem : public core::Object, public ValidatedUserInterfaceItem {
public:
    explicit ToolbarItem(std::string identifier) : identifier_(std::move(identifier)) {}

    const std::string& itemIdentifier() const { return identifier_; }
    std::string label() const { return label_; }
    void setLabel(const std::string& label) { label_ = label; }
    std::string paletteLabel() const { return paletteLabel_; }
    void setPaletteLabel(const std::string& label) { paletteLabel_ = label; }
    std::shared_ptr<Picture> image() const { return image_; }
    void setImage(const std::shared_ptr<Picture>& image) { image_ = image; }
    std::string toolTip() const { return toolTip_; }
    void setToolTip(const std::string& text) { toolTip_ = text; }
    std::shared_ptr<Responder> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<Responder>& target) { target_ = target; }
    Action action() const override { return action_; }
    void setAction(const Action& action) { action_ = action; }
    long tag() const override { return tag_; }
    void setTag(long tag) { tag_ = tag; }
    std::shared_ptr<View> view() const { return view_; }
    void setView(const std::shared_ptr<View>& view) { view_ = view; }
    gfx::Size minSize() const { return minSize_; }
    void setMinSize(const gfx::Size& size) { minSize_ = size; }
    gfx::Size maxSize() const { return maxSize_; }
    void setMaxSize(const gfx::Size& size) { maxSize_ = size; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    std::string identifier_;
    std::string label_;
    std::string paletteLabel_;
    std::shared_ptr<Picture> image_;
    std::string toolTip_;
    std::weak_ptr<Responder> target_;
    Action action_;
    long tag_ = 0;
    std::shared_ptr<View> view_;
    gfx::Size minSize_;
    gfx::Size maxSize_;
    bool enabled_ = true;
};

class ToolbarDelegate {
public:
    virtual ~ToolbarDelegate() = default;
    // Null for an identifier that names no item.
    virtual std::shared_ptr<ToolbarItem> itemForItemIdentifier(Toolbar& toolbar, const std::string& identifier,
                                                               bool willBeInsertedIntoToolbar) = 0;
    virtual std::vector<std::string> defaultItemIdentifiers(Toolbar& toolbar) = 0;
    virtual std::vector<std::string> allowedItemIdentifiers(Toolbar& toolbar)
    {
        return defaultItemIdentifiers(toolbar);
    }
    virtual std::vector<std::string> selectableItemIdentifiers(Toolbar& toolbar) { return {}; }
};

enum class ToolbarDisplayMode { defaultMode = 0, iconAndLabel = 1, iconOnly = 2, labelOnly = 3 };

class Toolbar : public core::Object {
public:
    struct Impl;
    explicit Toolbar(std::string identifier);
    ~Toolbar() override;

    const std::string& identifier() const { return identifier_; }
    std::shared_ptr<ToolbarDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<ToolbarDelegate>& delegate);
    bool allowsUserCustomization() const { return allowsCustomization_; }
    void setAllowsUserCustomization(bool allows);
    // Turning it on takes the saved configuration, when there is one.
    bool autosavesConfiguration() const { return autosaves_; }
    void setAutosavesConfiguration(bool autosaves);
    bool showsBaselineSeparator() const { return baseline_; }
    void setShowsBaselineSeparator(bool shows);
    ToolbarDisplayMode displayMode() const { return displayMode_; }
    void setDisplayMode(ToolbarDisplayMode mode);
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    // The items the delegate gave for its default identifiers (or for the saved ones), in order (spaces
    // included).
    const std::vector<std::shared_ptr<ToolbarItem>>& items();
    // Adds the delegate's item for `identifier` at `index` (clamped), as a customising user does; nothing
    // when the delegate gives no item for it.
    void insertItemWithItemIdentifier(const std::string& identifier, std::size_t index);
    void removeItemAtIndex(std::size_t index);
    std::string selectedItemIdentifier() const { return selected_; }
    void setSelectedItemIdentifier(const std::string& identifier);
    // Presses an item as a click does.
    void performItem(const std::shared_ptr<ToolbarItem>& item);

    Impl& impl() { return *impl_; }

private:
    void rebuild();
    void saveConfiguration();
    std::shared_ptr<ToolbarItem> makeItem(ToolbarDelegate& delegate, const std::string& identifier);

    std::string identifier_;
    std::weak_ptr<ToolbarDelegate> delegate_;
    bool allowsCustomization_ = false;
    bool autosaves_ = false;
    bool baseline_ = true;
    ToolbarDisplayMode displayMode_ = ToolbarDisplayMode::defaultMode;
    bool visible_ = true;
    std::string selected_;
    std::vector<std::shared_ptr<ToolbarItem>> items_;
    bool built_ = false;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
