// A mouse pointer: a picture with a hot spot (in the picture's points from its top left), or one of the
// desktop's standard shapes. set() makes it the application's pointer. Made and used on the main thread.
#pragma once

#include <memory>

#include "platform/core/object.h"
#include "platform/gfx/point.h"
#include "platform/ui/picture.h"

namespace ui {

class Cursor : public core::Object {
public:
    struct Impl;
    Cursor(const std::shared_ptr<Picture>& picture, const gfx::Point& hotSpot);
    ~Cursor() override;

    static std::shared_ptr<Cursor> arrow();
    static std::shared_ptr<Cursor> iBeam();
    static std::shared_ptr<Cursor> pointingHand();
    static std::shared_ptr<Cursor> openHand();
    static std::shared_ptr<Cursor> closedHand();
    static std::shared_ptr<Cursor> crosshair();
    static std::shared_ptr<Cursor> resizeLeftRight();
    static std::shared_ptr<Cursor> resizeUpDown();

    std::shared_ptr<Picture> image() const { return picture_; }
    gfx::Point hotSpot() const { return hotSpot_; }
    // Shows this pointer over the whole application until another is set (the arrow gives the views back
    // their own).
    void set();

    Impl& impl() { return *impl_; }

private:
    explicit Cursor(int shape);
    std::shared_ptr<Picture> picture_;
    gfx::Point hotSpot_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
