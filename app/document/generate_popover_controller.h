// The generator popover: sets up a series of snaps over a time range of the movie (its start and end taken
// from the player's position or reset to the clip range, which every opening starts from), a number of frames
// between them and whether the range's ends are among the times; its Generate button sends its action to its
// target, the document. The number of frames always applies to the range as it is now, whatever changed the
// range after it was typed, and is kept within 0...1000. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "appkit/popover_controller.h"
#include "moviekit/movie.h"
#include "moviekit/time_splitter.h"
#include "platform/ui/button.h"
#include "platform/ui/text_field.h"

namespace vistrel {

// The views of the generator popover that its controller uses; weak, for the popover's view holds them.
struct GeneratePopoverOutlets {
    std::weak_ptr<ui::TextField> startTextField;
    std::weak_ptr<ui::TextField> endTextField;
    std::weak_ptr<ui::TextField> framesTextField;
    std::weak_ptr<ui::Button> includeStartButton;
    std::weak_ptr<ui::Button> includeEndButton;
};

class GeneratePopoverController : public kestrane::PopoverController {
public:
    // The most frames one generation makes, and the number the field starts with.
    static constexpr std::int64_t maximumFrames = 1000;
    static constexpr std::int64_t initialFrames = 10;

    // The controller of the interface "GeneratePopover", its view loaded at once.
    static std::shared_ptr<GeneratePopoverController> create();
    explicit GeneratePopoverController(std::string nibName = "GeneratePopover");
    // Makes the actions performable.
    void awake() override;
    // Takes the frame count the field shows as the count to apply.
    void viewDidLoad() override;
    // Application-defined (it stays open while the user moves the player); the include flags come from the
    // check boxes.
    std::shared_ptr<ui::Popover> createPopover(const std::shared_ptr<ui::View>& view) override;
    // Opening takes the clip range as it stands by then (the frame count and the check boxes stay).
    void showPopoverAtTop(const std::shared_ptr<ui::View>& view) override;

    std::shared_ptr<ui::Responder> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<ui::Responder>& target) { target_ = target; }
    void setAction(const ui::Action& action) { action_ = action; }
    // Stores the movie and shows its clip range.
    void setMovie(const std::shared_ptr<orvalis::Movie>& movie);
    const orvalis::TimeSplitter& splitter() const { return splitter_; }
    // The number of frames applied to the range.
    std::int64_t frameCount() const { return frameCount_; }

    // Actions of the controls.
    void changeStart(const std::shared_ptr<core::Object>& sender);
    void changeEnd(const std::shared_ptr<core::Object>& sender);
    void changeIncludeStart(const std::shared_ptr<core::Object>& sender);
    void changeIncludeEnd(const std::shared_ptr<core::Object>& sender);
    void changeFrames(const std::shared_ptr<core::Object>& sender);
    void resetTimes(const std::shared_ptr<core::Object>& sender);
    void generateSnaps(const std::shared_ptr<core::Object>& sender);

    // The views of the popover, set by the interface before its view.
    const GeneratePopoverOutlets& outlets() const { return outlets_; }
    void setOutlets(const GeneratePopoverOutlets& outlets) { outlets_ = outlets; }

private:
    void updateFields();
    // The range and the fields that show it; the frame count is applied to the new range.
    void setTimeRange(const media::TimeRange& range);
    std::shared_ptr<orvalis::Player> player() const;

    GeneratePopoverOutlets outlets_;
    std::weak_ptr<ui::Responder> target_;
    ui::Action action_;
    std::shared_ptr<orvalis::Movie> movie_;
    orvalis::TimeSplitter splitter_;
    std::int64_t frameCount_ = 0;
};

}  // namespace vistrel
