#include "moviekit/orvalis_kit.h"

namespace orvalis {

std::shared_ptr<const core::Bundle> OrvalisKit::bundle() { return core::Bundle::named("Orvalis"); }

std::string OrvalisKit::local(const std::string& key) { return kestrane::local(*bundle(), key); }

std::shared_ptr<ui::Picture> OrvalisKit::imageNamed(const std::string& name)
{
    return ui::Picture::fromBundle(*bundle(), name);
}

// Each constant has its own one-time initialisation.
#define ORVALIS_TEMPLATE_IMAGE(name)                                                                                   \
    const PictureRef& name()                                                                                           \
    {                                                                                                                  \
        static const PictureRef image = OrvalisKit::imageNamed(#name);                                                 \
        return image;                                                                                                  \
    }

ORVALIS_TEMPLATE_IMAGE(PlayTemplate)
ORVALIS_TEMPLATE_IMAGE(PauseTemplate)
ORVALIS_TEMPLATE_IMAGE(Volume0Template)
ORVALIS_TEMPLATE_IMAGE(Volume1Template)
ORVALIS_TEMPLATE_IMAGE(Volume2Template)
ORVALIS_TEMPLATE_IMAGE(Volume3Template)
ORVALIS_TEMPLATE_IMAGE(RotateLeftTemplate)
ORVALIS_TEMPLATE_IMAGE(RotateRightTemplate)
ORVALIS_TEMPLATE_IMAGE(FlipHorizontalTemplate)
ORVALIS_TEMPLATE_IMAGE(FlipVerticalTemplate)
ORVALIS_TEMPLATE_IMAGE(TurtleTemplate)
ORVALIS_TEMPLATE_IMAGE(RabbitTemplate)
ORVALIS_TEMPLATE_IMAGE(SettingsTemplate)
ORVALIS_TEMPLATE_IMAGE(BackwardTemplate)
ORVALIS_TEMPLATE_IMAGE(ForwardTemplate)
ORVALIS_TEMPLATE_IMAGE(NextFrameTemplate)
ORVALIS_TEMPLATE_IMAGE(PreviousFrameTemplate)
ORVALIS_TEMPLATE_IMAGE(FileTemplate)

#undef ORVALIS_TEMPLATE_IMAGE

}  // namespace orvalis
