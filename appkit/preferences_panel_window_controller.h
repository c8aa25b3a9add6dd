// A preferences window assembled from panes: one pane at a time is the window's content, chosen through one
// toolbar item per pane or one segmented control in the toolbar; the window resizes to each pane's size,
// keeping its top edge and its horizontal centre. Subclasses supply the panes in setupInitialPanels().
// Main thread only.
#pragma once
#include "appkit/preferences_panel.h"
#include "platform/ui/segmented_control.h"
#include "platform/ui/toolbar.h"
#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"
#include <memory>
#include <string>
#include <vector>

namespace kestrane {

inline const std::string PreferencesPanelToolbarIdentifier = "PreferencesPanelToolbarIdentifier";
inline const std::string PreferencesPanelSegmentedControlIdentifier = "PreferencesPanelSegmentedControlIdentifier";

class PreferencesPanelWindowController : public ui::WindowController,
                                         public ui::WindowDelegate,
                                         public ui::ToolbarDelegate {
public:
    // Makes its own preferences window.
    PreferencesPanelWindowController();
    explicit PreferencesPanelWindowController(std::shared_ptr<ui::Window> window);
    // Becomes the window's delegate, asks for the panes, shows the first one and centres the window.
    void awake() override;

    // Empty here: subclasses fill `panels` and set the options.
    virtual void setupInitialPanels() {}
    // Rebuilds the toolbar and shows the first pane.
    virtual void reloadAll();
    // The first pane with that identifier; null when none.
    virtual std::shared_ptr<PreferencesPanel> panel(const std::string& identifier);

    bool windowShouldClose(ui::Window& window) override;
    void windowWillClose(ui::Window& window) override;

    std::shared_ptr<ui::ToolbarItem> itemForItemIdentifier(ui::Toolbar& toolbar, const std::string& identifier,
                                                           bool willBeInsertedIntoToolbar) override;
    std::vector<std::string> defaultItemIdentifiers(ui::Toolbar& toolbar) override;
    std::vector<std::string> selectableItemIdentifiers(ui::Toolbar& toolbar) override;

    // The options take effect at the next reloadAll().
    bool centerToolbarItems = true;
    bool showToolbarWithSinglePanel = false;
    bool showToolbarItemsAsSegmentedControl = false;
    // Held strongly; changing the list takes effect at the next reloadAll().
    std::vector<std::shared_ptr<PreferencesPanel>> panels;

    // The pane shown, recorded once its switch has finished; null before.
    std::shared_ptr<PreferencesPanel> activatedPanel() const { return activatedPanel_; }
    // The control made for the toolbar's segmented item; null until the toolbar asks for it.
    std::shared_ptr<ui::SegmentedControl> segmentedControl() const { return segmentedControl_; }
    // The size of every segment: the widest and tallest pane title plus (42, 8).
    gfx::Size computeMaxSegmentedControlSize();

private:
    void rebuildToolbar();
    void activatePanel(const std::shared_ptr<PreferencesPanel>& panel, bool animate);
    std::shared_ptr<ui::SegmentedControl> createToolbarSegmentedControl();
    void segmentedControlAction(const std::shared_ptr<core::Object>& sender);
    void toolbarItemAction(const std::shared_ptr<core::Object>& sender);

    std::shared_ptr<PreferencesPanel> activatedPanel_;
    std::shared_ptr<ui::SegmentedControl> segmentedControl_;
};

}  // namespace kestrane
