#include "appkit/preferences_panel_window_controller.h"

#include "appkit/preferences_panel_window.h"
#include "appkit/window_extensions.h"
#include "foundation/shortcuts.h"
#include "platform/gfx/attributed_string.h"
#include "platform/ui/animation_context.h"
#include "platform/ui/system_style.h"
#include "platform/ui/window.h"

namespace kestrane {

namespace {
constexpr double switchDuration = 0.25;
constexpr double segmentWidthPadding = 42;
constexpr double segmentHeightPadding = 8;
const ui::Action toolbarItemActionName = "toolbarItemAction:";
const ui::Action segmentedControlActionName = "segmentedControlAction:";
}  // namespace

PreferencesPanelWindowController::PreferencesPanelWindowController()
    : PreferencesPanelWindowController(core::make<PreferencesPanelWindow>())
{
}

PreferencesPanelWindowController::PreferencesPanelWindowController(std::shared_ptr<ui::Window> window)
    : WindowController(std::move(window))
{
}

void PreferencesPanelWindowController::awake()
{
    WindowController::awake();
    registerAction(toolbarItemActionName, [this](const auto& sender) { toolbarItemAction(sender); });
    registerAction(segmentedControlActionName, [this](const auto& sender) { segmentedControlAction(sender); });
    auto window = this->window();
    if (window) window->setDelegate(sharedAs<PreferencesPanelWindowController>());
    setupInitialPanels();
    reloadAll();
    if (window) window->center();
}

void PreferencesPanelWindowController::reloadAll()
{
    rebuildToolbar();
    if (panels.empty()) return;
    activatePanel(panels.front(), false);
    if (showToolbarItemsAsSegmentedControl) {
        if (segmentedControl_) segmentedControl_->selectSegmentWithTag(0);
    } else if (auto window = this->window(); window && window->toolbar()) {
        window->toolbar()->setSelectedItemIdentifier(panels.front()->preferenceIdentifier());
    }
}

std::shared_ptr<PreferencesPanel> PreferencesPanelWindowController::panel(const std::string& identifier)
{
    for (const auto& candidate : panels)
        if (candidate->preferenceIdentifier() == identifier) return candidate;
    return nullptr;
}

bool PreferencesPanelWindowController::windowShouldClose(ui::Window& window) { return endEditing(window); }

void PreferencesPanelWindowController::windowWillClose(ui::Window&)
{
    // A failure to write the settings is told to the user by the defaults themselves.
    static_cast<void>(Defaults->synchronize());
}

void PreferencesPanelWindowController::rebuildToolbar()
{
    auto window = this->window();
    if (!window) return;
    if (panels.empty() || (panels.size() == 1 && !showToolbarWithSinglePanel)) {
        window->setToolbar(nullptr);
        return;
    }
    auto toolbar = core::make<ui::Toolbar>(PreferencesPanelToolbarIdentifier);
    toolbar->setAllowsUserCustomization(false);
    toolbar->setAutosavesConfiguration(false);
    toolbar->setShowsBaselineSeparator(false);
    toolbar->setDisplayMode(showToolbarItemsAsSegmentedControl ? ui::ToolbarDisplayMode::iconOnly
                                                               : ui::ToolbarDisplayMode::iconAndLabel);
    toolbar->setDelegate(sharedAs<PreferencesPanelWindowController>());
    window->setToolbar(toolbar);
}

std::vector<std::string> PreferencesPanelWindowController::defaultItemIdentifiers(ui::Toolbar&)
{
    const auto& space = ui::toolbarFlexibleSpaceItemIdentifier;
    if (showToolbarItemsAsSegmentedControl) return {space, PreferencesPanelSegmentedControlIdentifier, space};
    std::vector<std::string> identifiers;
    if (centerToolbarItems) identifiers.push_back(space);
    for (const auto& pane : panels)
        identifiers.push_back(pane->preferenceIdentifier());
    if (centerToolbarItems) identifiers.push_back(space);
    return identifiers;
}

std::vector<std::string> PreferencesPanelWindowController::selectableItemIdentifiers(ui::Toolbar& toolbar)
{
    return allowedItemIdentifiers(toolbar);
}

std::shared_ptr<ui::ToolbarItem>
PreferencesPanelWindowController::itemForItemIdentifier(ui::Toolbar&, const std::string& identifier, bool)
{
    if (identifier == PreferencesPanelSegmentedControlIdentifier) {
        auto item = core::make<ui::ToolbarItem>(identifier);
        segmentedControl_ = createToolbarSegmentedControl();
        item->setView(segmentedControl_);
        item->setMinSize(segmentedControl_->frame().size);
        item->setMaxSize(segmentedControl_->frame().size);
        return item;
    }
    auto pane = panel(identifier);
    if (!pane) return nullptr;
    auto item = core::make<ui::ToolbarItem>(identifier);
    item->setLabel(pane->preferenceTitle());
    item->setPaletteLabel(pane->preferenceTitle());
    item->setImage(pane->preferenceIcon());
    item->setToolTip(pane->preferenceToolTip());
    item->setTarget(sharedAs<ui::Responder>());
    item->setAction(toolbarItemActionName);
    return item;
}

gfx::Size PreferencesPanelWindowController::computeMaxSegmentedControlSize()
{
    gfx::TextAttributes attributes;
    attributes.font = gfx::Font::system(ui::systemFontSize(ui::ControlSize::regular));
    gfx::Size size;
    for (const auto& pane : panels) {
        auto measured = gfx::AttributedString(pane->preferenceTitle(), attributes).size();
        size.width = std::max(size.width, measured.width);
        size.height = std::max(size.height, measured.height);
    }
    return {size.width + segmentWidthPadding, size.height + segmentHeightPadding};
}

std::shared_ptr<ui::SegmentedControl> PreferencesPanelWindowController::createToolbarSegmentedControl()
{
    const auto segment = computeMaxSegmentedControlSize();
    const auto count = long(panels.size());
    auto control = core::make<ui::SegmentedControl>(
        gfx::Rect{0, 0, double(count) * segment.width + double(count + 1), segment.height});
    control->setSegmentCount(count);
    control->setSegmentStyle(ui::SegmentStyle::texturedSquare);
    control->setTarget(sharedAs<ui::Responder>());
    control->setAction(segmentedControlActionName);
    control->setIdentifier(PreferencesPanelSegmentedControlIdentifier);
    control->setControlSize(ui::ControlSize::regular);
    control->setTrackingMode(ui::SegmentSwitchTracking::selectOne);
    for (long i = 0; i < count; ++i) {
        control->setLabel(panels[std::size_t(i)]->preferenceTitle(), i);
        control->setWidth(segment.width, i);
        control->setTag(i, i);
    }
    return control;
}

void PreferencesPanelWindowController::segmentedControlAction(const std::shared_ptr<core::Object>& sender)
{
    auto control = std::dynamic_pointer_cast<ui::SegmentedControl>(sender);
    if (!control) return;
    const long index = control->selectedSegment();
    // A segment outside the panes (the list changed since the control was made) selects nothing.
    if (index < 0 || index >= long(panels.size())) return;
    activatePanel(panels[std::size_t(index)], true);
}

void PreferencesPanelWindowController::toolbarItemAction(const std::shared_ptr<core::Object>& sender)
{
    auto item = std::dynamic_pointer_cast<ui::ToolbarItem>(sender);
    if (!item) return;
    if (auto pane = panel(item->itemIdentifier())) activatePanel(pane, true);
}

void PreferencesPanelWindowController::activatePanel(const std::shared_ptr<PreferencesPanel>& pane, bool animate)
{
    if (activatedPanel_ && activatedPanel_ == pane) return;
    auto window = this->window();
    auto view = pane->view();
    if (!window || !view) return;
    const auto newSize = view->frame().size;
    const auto current = window->contentView() ? window->contentView()->frame().size : window->contentSize();
    const double dw = newSize.width - current.width;
    const double dh = newSize.height - current.height;
    auto frame = window->frame();
    const gfx::Rect target{frame.origin.x - dw * 0.5, frame.origin.y - dh, frame.size.width + dw,
                           frame.size.height + dh};
    view->setAlphaValue(0);
    window->setContentView(view);
    view->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    std::weak_ptr<PreferencesPanelWindowController> weakSelf = sharedAs<PreferencesPanelWindowController>();
    ui::AnimationContext::runAnimationGroup(
        [&](ui::AnimationContext& context) {
            context.setDuration(animate ? switchDuration : 0);
            context.setTimingFunction(ui::TimingFunction::named(ui::TimingFunctionName::easeInEaseOut));
            window->animator().setFrame(target, true);
            view->animator().setAlphaValue(1);
        },
        // Weak: a completion still queued when the window goes must not be the last owner of the pane's views.
        [weakSelf, weakPane = std::weak_ptr<PreferencesPanel>(pane)] {
            auto self = weakSelf.lock();
            auto shown = weakPane.lock();
            if (self && shown) self->activatedPanel_ = shown;
        });
}

}  // namespace kestrane
