// The movie kit itself: its own bundle (Orvalis.bundle next to the binaries), where the texts, the template
// images of the movie interface's buttons and the layouts of its popovers live, so that a program using the
// kit needs none of them in its own bundle. Safe from any thread; the images are drawn on the main thread.
#pragma once

#include <memory>
#include <string>

#include "foundation/bundle_info.h"
#include "platform/core/bundle.h"
#include "platform/ui/picture.h"

namespace orvalis {

class OrvalisKit {
public:
    OrvalisKit() = delete;

    // Asked of the platform on every call.
    static std::shared_ptr<const core::Bundle> bundle();
    // The kit's text for the key; the key itself when the strings table lacks it.
    static std::string local(const std::string& key);
    // The kit's text for the key used as a format for the arguments (one or two), in the user's locale.
    template <class... Args>
    static std::string local(const std::string& format, const Args&... arguments)
    {
        return kestrane::local(*bundle(), format, arguments...);
    }
    // The kit's image of that name, read anew; null when the bundle has none.
    static std::shared_ptr<ui::Picture> imageNamed(const std::string& name);
};

using PictureRef = std::shared_ptr<ui::Picture>;

// The template images of the movie interface, each read from the kit's bundle once, on first use, and kept.
// A missing one is null: the button that would show it shows no image.
const PictureRef& PlayTemplate();
const PictureRef& PauseTemplate();
const PictureRef& Volume0Template();
const PictureRef& Volume1Template();
const PictureRef& Volume2Template();
const PictureRef& Volume3Template();
const PictureRef& RotateLeftTemplate();
const PictureRef& RotateRightTemplate();
const PictureRef& FlipHorizontalTemplate();
const PictureRef& FlipVerticalTemplate();
const PictureRef& TurtleTemplate();
const PictureRef& RabbitTemplate();
const PictureRef& SettingsTemplate();
const PictureRef& BackwardTemplate();
const PictureRef& ForwardTemplate();
const PictureRef& NextFrameTemplate();
const PictureRef& PreviousFrameTemplate();
const PictureRef& FileTemplate();

}  // namespace orvalis
