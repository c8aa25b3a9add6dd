#include "moviekit/movie_panel.h"

#include "appkit/control_extensions.h"
#include "moviekit/movie_actions.h"
#include "moviekit/orvalis_kit.h"
#include "platform/ui/interface_registry.h"

#include <string>

namespace orvalis {

namespace {

namespace Mask = ui::AutoresizingMask;

// Points.
constexpr double margin = 8;
constexpr double gap = 8;
constexpr double buttonSide = 28;
constexpr double buttonSpacing = 2;
constexpr double rowY = 6;
constexpr double barHeight = 50;
constexpr double barY = rowY + buttonSide + 4;
constexpr double pictureY = barY + barHeight + 6;
constexpr double timeWidth = 100;

struct ButtonSpec {
    const char* outlet;
    ui::ActionName action;
    const char* toolTip;
};

// The buttons left of the slider, then those right of the time text, in groups.
const std::vector<std::vector<ButtonSpec>> leftGroups = {
    {{"previousFrameButton", actions::seekPreviousFrame, "MoviePanel.PreviousFrame"},
     {"playPauseButton", actions::playPause, "MoviePanel.PlayPause"},
     {"nextFrameButton", actions::seekNextFrame, "MoviePanel.NextFrame"}},
    {{"beginClipButton", actions::seekToClipStart, "MoviePanel.ClipStart"},
     {"endClipButton", actions::seekToClipEnd, "MoviePanel.ClipEnd"}},
};
const std::vector<std::vector<ButtonSpec>> rightGroups = {
    {{"toogleVolumeButton", actions::toogleVolume, "MoviePanel.ToggleVolume"},
     {"popoverVolumeButton", actions::showVolumePopover, "MoviePanel.Volume"},
     {"popoverRateButton", actions::showRatePopover, "MoviePanel.Rate"}},
    {{"rotateLeftButton", actions::rotateLeft, "MoviePanel.RotateLeft"},
     {"rotateRightButton", actions::rotateRight, "MoviePanel.RotateRight"},
     {"flipHorizontalButton", actions::flipHorizontally, "MoviePanel.FlipHorizontally"},
     {"flipVerticalButton", actions::flipVertically, "MoviePanel.FlipVertically"},
     {"popoverEditionButton", actions::showEditionPopover, "MoviePanel.Edition"}},
};

double groupsWidth(const std::vector<std::vector<ButtonSpec>>& groups)
{
    double width = 0;
    for (const auto& group : groups)
        width += double(group.size()) * buttonSide + double(group.size() - 1) * buttonSpacing + gap;
    return width;
}

// Lays a group of buttons out from `x`; gives where the next item may start.
double addButtons(ui::View& panel, MovieViewController& controller, const std::vector<ButtonSpec>& group, double x,
                  unsigned mask)
{
    for (const ButtonSpec& spec : group) {
        auto button = core::make<ui::Button>(gfx::Rect{x, rowY, buttonSide, buttonSide});
        button->setBordered(false);
        button->setRefusesFirstResponder(true);
        button->setToolTip(OrvalisKit::local(spec.toolTip));
        kestrane::setTarget(*button, controller.sharedAs<ui::Responder>(), spec.action);
        button->setAutoresizingMask(mask);
        panel.addSubview(button);
        controller.setOutlet(spec.outlet, button);
        x += buttonSide + buttonSpacing;
    }
    return x - buttonSpacing + gap;
}

template <class View>
std::shared_ptr<View> addView(ui::View& panel, MovieViewController& controller, const char* outlet,
                              const gfx::Rect& frame, unsigned mask, const char* toolTip)
{
    auto view = core::make<View>(frame);
    view->setAutoresizingMask(mask);
    view->setToolTip(OrvalisKit::local(toolTip));
    panel.addSubview(view);
    controller.setOutlet(outlet, view);
    return view;
}

}  // namespace

std::shared_ptr<ui::View> makeMoviePanel(const std::shared_ptr<MovieViewController>& controller, const gfx::Rect& frame)
{
    const double width = frame.width(), height = frame.height();
    auto panel = core::make<ui::View>(frame);
    panel->setAutoresizingMask(Mask::widthSizable | Mask::heightSizable);

    addView<MovieView>(*panel, *controller, "movieView", {0, pictureY, width, height - pictureY},
                       Mask::widthSizable | Mask::heightSizable, "MoviePanel.Picture");
    addView<MovieSlideBar>(*panel, *controller, "movieSlideBar", {margin, barY, width - 2 * margin, barHeight},
                           Mask::widthSizable | Mask::maxYMargin, "MoviePanel.SlideBar");

    double x = margin;
    for (const auto& group : leftGroups)
        x = addButtons(*panel, *controller, group, x, Mask::maxXMargin | Mask::maxYMargin);
    const double rightStart = width - margin - groupsWidth(rightGroups) - timeWidth;
    auto slider = addView<MovieSlider>(*panel, *controller, "movieSlider", {x, rowY, rightStart - gap - x, buttonSide},
                                       Mask::widthSizable | Mask::maxYMargin, "MoviePanel.Slider");
    slider->trackingSlider()->setRefusesFirstResponder(true);
    auto time = kestrane::labelFrame({rightStart, rowY + 5, timeWidth, 18});
    time->setAlignment(gfx::TextAlignment::center);
    time->setAutoresizingMask(Mask::minXMargin | Mask::maxYMargin);
    time->setToolTip(OrvalisKit::local("MoviePanel.Time"));
    panel->addSubview(time);
    controller->setOutlet("timeField", time);
    x = rightStart + timeWidth + gap;
    for (const auto& group : rightGroups)
        x = addButtons(*panel, *controller, group, x, Mask::minXMargin | Mask::maxYMargin);

    controller->setView(panel);
    controller->awakeFromNib();
    return panel;
}

void registerMoviePanel()
{
    if (ui::InterfaceRegistry::contains(MoviePanelInterface)) return;
    ui::InterfaceRegistry::add(MoviePanelInterface, [](const std::shared_ptr<core::Object>& owner) {
        if (auto controller = std::dynamic_pointer_cast<MovieViewController>(owner))
            makeMoviePanel(controller, {{0, 0}, MoviePanelNaturalSize});
    });
}

}  // namespace orvalis
