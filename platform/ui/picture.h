// An image for the interface: a size in points and representations, bitmaps or a drawing handler that draws
// the picture on demand. Pictures come from bitmaps, from scalable drawings (SVG) drawn sharp at whatever
// resolution they are shown, from the desktop's icon theme by system name, or from a handler; focus can be
// locked on a picture to draw into it. A template picture is a shape: its colours are ignored and it is
// shown in the colour of the text around it. Main thread only for drawing; reading its bitmaps is safe from
// the thread that owns it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/object.h"
#include "platform/gfx/color.h"
#include "platform/gfx/image.h"
#include "platform/gfx/image_file_type.h"
#include "platform/gfx/rect.h"

namespace core {
class Bundle;
}

namespace gfx {
class BitmapContext;
class ContextScope;
}  // namespace gfx

namespace ui {

class Picture : public core::Object {
public:
    // Draws the picture into the current context within the rectangle; false when it could not.
    using DrawingHandler = std::function<bool(const gfx::Rect&)>;

    struct Representation {
        gfx::ImageRef bitmap;  // null for a drawing handler
        int pixelsWide = 0;
        int pixelsHigh = 0;
    };

    ~Picture() override;

    // A zero size takes the bitmap's pixel size. Null for a null image.
    static std::shared_ptr<Picture> withImage(const gfx::ImageRef& image, const gfx::Size& size = {});
    static std::shared_ptr<Picture> withSize(const gfx::Size& size, bool flipped, DrawingHandler handler);
    // A picture of the desktop's icon theme or of the widget style for one of the system names; null when
    // neither has it.
    static std::shared_ptr<Picture> system(const std::string& name);
    // The bundle's image resource of that name (as given, or with an image extension: png, tiff, tif, jpg,
    // jpeg, gif, svg), its size the bitmap's or the drawing's; null when the bundle has none that reads. A
    // name ending in "Template" makes a template picture.
    static std::shared_ptr<Picture> fromBundle(const core::Bundle& bundle, const std::string& name);
    // The main bundle's image of that name, else the system picture; null when neither has it.
    static std::shared_ptr<Picture> named(const std::string& name);

    gfx::Size size() const { return size_; }
    void setSize(const gfx::Size& size) { size_ = size; }
    bool isTemplate() const { return template_; }
    void setTemplate(bool isTemplate) { template_ = isTemplate; }
    std::vector<Representation> representations() const;
    void addRepresentation(const gfx::ImageRef& bitmap);

    // A bitmap of the picture: its largest bitmap, else the handler's drawing at the picture's size.
    gfx::ImageRef cgImage(const std::optional<gfx::Rect>& proposed = std::nullopt) const;
    std::shared_ptr<Picture> copy() const;
    // Makes a context on the picture current; drawing lands in it at unlockFocus (which replaces the
    // representations with the result).
    void lockFocus();
    void unlockFocus();
    // TIFF data of the picture's bitmap; nullopt without one.
    std::optional<core::Data> tiffRepresentation() const;
    // Draws the picture into the current context within `rect`.
    void drawInRect(const gfx::Rect& rect, double alpha = 1) const;
    // A bitmap of the picture drawn at `size` points, `scale` pixels to the point; a template picture comes
    // filled with `tint` wherever it is not transparent. Null for an empty size or a picture that cannot draw.
    gfx::ImageRef bitmap(const gfx::Size& size, double scale, const gfx::Color& tint = gfx::Color::black()) const;

private:
    gfx::Size size_;
    bool flipped_ = false;
    bool template_ = false;
    std::vector<gfx::ImageRef> bitmaps_;
    DrawingHandler handler_;
    std::shared_ptr<gfx::BitmapContext> focus_;
    std::unique_ptr<gfx::ContextScope> focusScope_;
};

// Encodes bitmaps into files' bytes.
struct BitmapImageRep {
    // Data in the type (TIFF, GIF, JPEG or PNG); nullopt for other types or a failed encoding.
    static std::optional<core::Data> representation(const gfx::ImageRef& bitmap, gfx::BitmapFileType type);
};

}  // namespace ui
