#include "moviekit/edition.h"

#include "foundation/asset_extensions.h"
#include "foundation/image_encoding.h"
#include "moviekit/edition_transform.h"
#include "numerics/size_geometry.h"

namespace orvalis {

using kestrane::Orientation;

Edition::Edition(const EditionCodingState& state)
    : orientation(state.orientation()), horizontalFlipped(state.horizontalFlipped()),
      verticalFlipped(state.verticalFlipped())
{
}

bool Edition::isIdentity() const { return orientation == Orientation::up && !horizontalFlipped && !verticalFlipped; }

void Edition::rotateLeft() { kestrane::turnLeft(orientation); }

void Edition::rotateRight() { kestrane::turnRight(orientation); }

namespace {

bool isSideways(Orientation orientation)
{
    return orientation == Orientation::right || orientation == Orientation::left;
}

}  // namespace

void Edition::flipHorizontally()
{
    bool& flag = isSideways(orientation) ? verticalFlipped : horizontalFlipped;
    flag = !flag;
}

void Edition::flipVertically()
{
    bool& flag = isSideways(orientation) ? horizontalFlipped : verticalFlipped;
    flag = !flag;
}

Edition Edition::rotatedLeft() const
{
    Edition copy = *this;
    copy.rotateLeft();
    return copy;
}

Edition Edition::rotatedRight() const
{
    Edition copy = *this;
    copy.rotateRight();
    return copy;
}

Edition Edition::flippedHorizontally() const
{
    Edition copy = *this;
    copy.flipHorizontally();
    return copy;
}

Edition Edition::flippedVertically() const
{
    Edition copy = *this;
    copy.flipVertically();
    return copy;
}

gfx::Size Edition::apply(const gfx::Size& size) const
{
    return isSideways(orientation) ? kestrane::invertedSize(size) : size;
}

gfx::ImageRef Edition::apply(const gfx::ImageRef& image) const
{
    return apply(image, gfx::AffineTransform::identity());
}

gfx::ImageRef Edition::apply(const gfx::ImageRef& image, const gfx::AffineTransform& trackTransform) const
{
    if (!image || (isIdentity() && kestrane::rightAngleTurn(trackTransform).isIdentity())) return image;
    return kestrane::applying(image, editionTransform(*this, kestrane::size(image), trackTransform));
}

std::shared_ptr<const EditionCodingState> Edition::codingState() const
{
    return std::make_shared<EditionCodingState>(orientation, horizontalFlipped, verticalFlipped);
}

}  // namespace orvalis
