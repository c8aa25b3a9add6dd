// A row of segments with labels, images, widths and tags. Selecting one (or toggling any, or pressing a
// momentary one) sends the action; selectedSegment is the last one pressed or selected. Main thread only.
#pragma once

#include <vector>

#include "platform/gfx/image.h"
#include "platform/ui/control.h"

namespace ui {

enum class SegmentSwitchTracking { selectOne = 0, selectAny = 1, momentary = 2 };
enum class SegmentStyle {
    automatic = 0,
    rounded = 1,
    texturedRounded = 2,
    roundRect = 3,
    texturedSquare = 4,
    capsule = 5,
    smallSquare = 6,
    separated = 8
};

class SegmentedControl : public Control {
public:
    explicit SegmentedControl(const gfx::Rect& frame = {});
    void awake() override;

    long segmentCount() const { return long(segments_.size()); }
    void setSegmentCount(long count);
    std::string labelForSegment(long segment) const;
    void setLabel(const std::string& label, long segment);
    gfx::ImageRef imageForSegment(long segment) const;
    void setImage(const gfx::ImageRef& image, long segment);
    // 0 lets the segment size itself.
    double widthForSegment(long segment) const;
    void setWidth(double width, long segment);
    long tagForSegment(long segment) const;
    void setTag(long tag, long segment);
    bool isEnabledForSegment(long segment) const;
    void setEnabled(bool enabled, long segment);
    using Control::setEnabled;

    SegmentSwitchTracking trackingMode() const { return mode_; }
    void setTrackingMode(SegmentSwitchTracking mode);
    SegmentStyle segmentStyle() const { return style_; }
    void setSegmentStyle(SegmentStyle style) { style_ = style; }

    // −1 when none.
    long selectedSegment() const;
    void setSelectedSegment(long segment);
    bool selectSegmentWithTag(long tag);
    bool isSelectedForSegment(long segment) const;
    void setSelected(bool selected, long segment);

    // Presses a segment as the user does.
    void pressSegment(long segment);

protected:
    void valueDidChange() override;

private:
    struct Segment {
        std::string label;
        gfx::ImageRef image;
        double width = 0;
        long tag = 0;
        bool enabled = true;
        bool selected = false;
    };
    bool valid(long segment) const { return segment >= 0 && segment < segmentCount(); }
    void rebuild();

    std::vector<Segment> segments_;
    SegmentSwitchTracking mode_ = SegmentSwitchTracking::selectOne;
    SegmentStyle style_ = SegmentStyle::automatic;
};

}  // namespace ui
