#include "app/document/snap_cell.h"

#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/event_extensions.h"
#include "appkit/view_extensions.h"
#include "numerics/rect_geometry.h"
#include "platform/gfx/context.h"
#include "platform/ui/button.h"
#include "platform/ui/picture.h"
#include "platform/ui/system_style.h"
#include "platform/ui/window.h"

namespace vistrel {

namespace {

const ui::Action removeActionName = "removeAction:";
constexpr double frameLineWidth = 0.5;

// The bundle's picture of that name as a bitmap, read once and shared by every cell; null when missing.
gfx::ImageRef bundleImage(const std::string& name)
{
    const auto picture = ui::Picture::named(name);
    return picture ? picture->cgImage() : nullptr;
}

const gfx::ImageRef& removeButtonImage()
{
    static const gfx::ImageRef image = bundleImage("RemoveButton");
    return image;
}

const gfx::ImageRef& removeButtonPressedImage()
{
    static const gfx::ImageRef image = bundleImage("RemoveButtonPressed");
    return image;
}

}  // namespace

void SnapCell::awake()
{
    View::awake();
    setWantsLayer(true);
    registerAction(removeActionName, [this](const std::shared_ptr<core::Object>&) { removeAction(); });
}

std::shared_ptr<SnapsView> SnapCell::snapsView() const { return std::dynamic_pointer_cast<SnapsView>(superview()); }

std::shared_ptr<SnapsManager> SnapCell::snapsManager() const
{
    const auto strip = snapsView();
    return strip ? strip->snapsManager() : nullptr;
}

void SnapCell::setSelected(bool selected)
{
    selected_ = selected;
    updateSelection();
}

void SnapCell::setImage(const gfx::ImageRef& image)
{
    image_ = image;
    setNeedsDisplay();
}

gfx::Rect SnapCell::contentRect() const { return kestrane::shrunkByDelta(bounds(), contentMargin); }

gfx::Rect SnapCell::imageRect() const { return kestrane::shrunkByDelta(bounds(), imageMargin); }

void SnapCell::makeRemoveButton()
{
    auto button = core::make<ui::Button>(kestrane::Rect::square(removeButtonSide));
    button->setHidden(true);
    button->setBordered(false);
    button->setImageScaling(ui::ImageScaling::axesIndependently);
    button->setButtonType(ui::ButtonType::momentaryChange);
    button->setImage(removeButtonImage());
    button->setAlternateImage(removeButtonPressedImage());
    button->setTarget(sharedAs<ui::Responder>());
    button->setAction(removeActionName);
    addSubview(button);
    removeButton_ = std::move(button);
}

void SnapCell::updateSelection()
{
    setNeedsDisplay();
    if (!removeButton_) makeRemoveButton();
    kestrane::setFrameCenter(*removeButton_, kestrane::topLeft(contentRect()));
    removeButton_->setHidden(!selected_);
}

void SnapCell::draw(const gfx::Rect&)
{
    auto* context = gfx::Context::current();
    if (!context) return;
    if (selected_) {
        context->setFillColor(ui::SystemColor::focusIndicator());
        context->fillRect(contentRect());
    } else {
        context->setLineWidth(frameLineWidth);
        context->setFillColor(gfx::Color::white());
        context->fillRect(imageRect());
        context->setStrokeColor(gfx::Color::black());
        // The line lies just inside the content rectangle, so that it covers whole device pixels at scale 2.
        context->strokeRect(kestrane::shrunkByDelta(contentRect(), frameLineWidth / 2));
    }
    if (image_) {
        context->drawImage(image_, imageRect());
    } else {
        context->setFillColor(gfx::Color::black());
        context->fillRect(imageRect());
    }
}

bool SnapCell::isInContent(const ui::Event& event) const
{
    return gfx::contains(contentRect(), kestrane::locationIn(event, *this));
}

void SnapCell::forwardMouseEvent(const ui::Event& event, const std::function<void()>& outside,
                                 void (SnapsView::*inside)(SnapCell&, const ui::Event&))
{
    if (!isInContent(event)) return outside();
    if (auto window = this->window()) window->makeFirstResponder(sharedAs<ui::Responder>());
    if (auto strip = snapsView()) ((*strip).*inside)(*this, event);
}

void SnapCell::mouseDown(const ui::Event& event)
{
    forwardMouseEvent(
        event, [&] { View::mouseDown(event); }, &SnapsView::snapCellMouseDown);
}

void SnapCell::mouseDragged(const ui::Event& event)
{
    forwardMouseEvent(
        event, [&] { View::mouseDragged(event); }, &SnapsView::snapCellMouseDragged);
}

void SnapCell::mouseUp(const ui::Event& event)
{
    forwardMouseEvent(
        event,
        [&] {
            if (auto strip = snapsView()) strip->mouseUp(event);
        },
        &SnapsView::snapCellMouseUp);
}

void SnapCell::rightMouseDown(const ui::Event& event)
{
    forwardMouseEvent(
        event, [&] { View::rightMouseDown(event); }, &SnapsView::snapCellRightMouseDown);
}

void SnapCell::rightMouseDragged(const ui::Event& event)
{
    forwardMouseEvent(
        event, [&] { View::rightMouseDragged(event); }, &SnapsView::snapCellRightMouseDragged);
}

void SnapCell::rightMouseUp(const ui::Event& event)
{
    forwardMouseEvent(
        event, [&] { View::rightMouseUp(event); }, &SnapsView::snapCellRightMouseUp);
}

void SnapCell::removeAction()
{
    if (auto manager = snapsManager()) manager->removeSelection();
}

}  // namespace vistrel
