// A push button, check box or radio button: a title, an optional image (a bitmap, or a picture drawn sharp
// at the screen's scale, a template one in the text colour of the button), a state (on 1, off 0, mixed −1)
// and a key equivalent; pressing it sends its action. A push button draws itself through drawBezel and drawTitle,
// which subclasses replace to draw their own look. Main thread only.
#pragma once

#include "platform/gfx/attributed_string.h"
#include "platform/gfx/image.h"
#include "platform/ui/control.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/picture.h"

namespace ui {

enum class ButtonType {
    momentaryLight = 0,
    pushOnPushOff = 1,
    toggle = 2,
    switchButton = 3,
    radio = 4,
    momentaryChange = 5,
    onOff = 6,
    momentaryPushIn = 7,
};

enum class ImageScaling { proportionallyDown = 0, axesIndependently = 1, none = 2, proportionallyUpOrDown = 3 };

class Button : public Control {
public:
    explicit Button(const gfx::Rect& frame = {});
    void awake() override;

    std::string title() const { return title_; }
    void setTitle(const std::string& title);
    gfx::ImageRef image() const { return image_; }
    void setImage(const gfx::ImageRef& image);
    // Shown instead of the bitmap image while set; the button's image size is the picture's size.
    std::shared_ptr<Picture> picture() const { return picture_; }
    void setPicture(const std::shared_ptr<Picture>& picture);
    gfx::ImageRef alternateImage() const { return alternateImage_; }
    void setAlternateImage(const gfx::ImageRef& image);
    ImageScaling imageScaling() const { return scaling_; }
    // Scaling axes independently stretches the image over the whole button.
    void setImageScaling(ImageScaling scaling);
    ButtonType buttonType() const { return type_; }
    void setButtonType(ButtonType type);
    ControlState state() const;
    void setState(ControlState state);
    bool allowsMixedState() const { return allowsMixed_; }
    void setAllowsMixedState(bool allows);
    bool isBordered() const { return bordered_; }
    void setBordered(bool bordered);
    // "\r" makes it the default button of its window.
    std::string keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(const std::string& key);
    bool isHighlighted() const;
    // Presses the button as a click does: changes the state as its type says and sends the action.
    void performClick(const std::shared_ptr<core::Object>& sender);

    gfx::Size intrinsicContentSize() const override;
    void setFrame(const gfx::Rect& frame) override;

    // A push button's drawing, into gfx::Context::current() in the button's space with y down from its top-left
    // (its cell's space): the bezel over the whole frame, by default the desktop style's (none unbordered).
    virtual void drawBezel(const gfx::Rect& frame);
    // Then its title, by default the style's label (with the image) for a title without attributes, else the
    // text in its attributes, centred vertically in `frame`. Gives the rectangle the text takes.
    virtual gfx::Rect drawTitle(const gfx::AttributedString& title, const gfx::Rect& frame);

protected:
    void valueDidChange() override;

private:
    void rebuild();
    // The picture when set; else the image, or while a momentary-change button is held down (or another kind
    // is on) its alternate image; at the size scaling gives.
    void showImage();
    void pressed();
    void released();

    std::string title_;
    gfx::ImageRef image_;
    gfx::ImageRef alternateImage_;
    std::shared_ptr<Picture> picture_;
    ImageScaling scaling_ = ImageScaling::proportionallyDown;
    ButtonType type_ = ButtonType::momentaryPushIn;
    bool allowsMixed_ = false;
    bool bordered_ = true;
    std::string keyEquivalent_;
};

}  // namespace ui
