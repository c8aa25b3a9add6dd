#include "moviekit/edition.h"
#include "moviekit/edition_transform.h"

#include "foundation/coder_archiving.h"
#include "platform/core/keyed_archiver.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using kestrane::Orientation;
using orvalis::Edition;
using orvalis::EditionCodingState;

namespace {

constexpr gfx::Pixel A = gfx::makePixel(255, 255, 0, 0);
constexpr gfx::Pixel B = gfx::makePixel(255, 0, 0, 255);
constexpr gfx::Pixel C = gfx::makePixel(255, 0, 255, 0);
constexpr gfx::Pixel D = gfx::makePixel(255, 255, 255, 255);

// Rows from the top, as the image stores them.
std::vector<std::vector<gfx::Pixel>> pixelsOf(const gfx::ImageRef& image)
{
    std::vector<std::vector<gfx::Pixel>> rows(std::size_t(image->height()));
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            rows[std::size_t(y)].push_back(image->pixel(x, y));
    return rows;
}

using Rows = std::vector<std::vector<gfx::Pixel>>;

}  // namespace

TEST(Edition, TurnsAndFlipsComeBackAround)
{
    Edition e;
    EXPECT_TRUE(e.isIdentity());
    e.rotateLeft();
    EXPECT_EQ(e.orientation, Orientation::left);
    e.rotateLeft();
    EXPECT_EQ(e.orientation, Orientation::down);
    e.rotateLeft();
    EXPECT_EQ(e.orientation, Orientation::right);
    e.rotateLeft();
    EXPECT_EQ(e, Edition::identity);
    for (int i = 0; i < 4; ++i)
        e.rotateRight();
    EXPECT_EQ(e, Edition::identity);
    EXPECT_EQ(e.rotatedLeft().rotatedRight(), e);

    const Edition flipped = Edition::identity.flippedHorizontally();
    EXPECT_FALSE(flipped.isIdentity());
    EXPECT_TRUE(Edition::identity.isIdentity());
    EXPECT_TRUE(flipped.flippedHorizontally().isIdentity());
    EXPECT_FALSE(Edition::identity.flippedVertically().isIdentity());
}

TEST(Edition, SizesSwapOnlyWhenSideways)
{
    const gfx::Size hd{1920, 1080};
    for (bool h : {false, true}) {
        for (bool v : {false, true}) {
            EXPECT_EQ(Edition(Orientation::right, h, v).apply(hd), (gfx::Size{1080, 1920}));
            EXPECT_EQ(Edition(Orientation::left, h, v).apply(hd), (gfx::Size{1080, 1920}));
            EXPECT_EQ(Edition(Orientation::down, h, v).apply(hd), hd);
            EXPECT_EQ(Edition(Orientation::up, h, v).apply(hd), hd);
        }
    }
}

TEST(Edition, IdentityGivesTheSameImage)
{
    const auto image = gfx::Image::create(2, 1, {A, B});
    EXPECT_EQ(Edition::identity.apply(image).get(), image.get());
    EXPECT_EQ(Edition().apply(gfx::ImageRef()), nullptr);
}

TEST(Edition, QuarterTurnsAndFlipsMovePixelsExactly)
{
    // [A|B]: A on the left.
    const auto wide = gfx::Image::create(2, 1, {A, B});
    EXPECT_EQ(pixelsOf(Edition(Orientation::right, false, false).apply(wide)), (Rows{{A}, {B}}));  // clockwise
    EXPECT_EQ(pixelsOf(Edition(Orientation::left, false, false).apply(wide)), (Rows{{B}, {A}}));
    EXPECT_EQ(pixelsOf(Edition(Orientation::down, false, false).apply(wide)), (Rows{{B, A}}));
    // The flags mirror the picture before the turn.
    EXPECT_EQ(pixelsOf(Edition(Orientation::right, true, false).apply(wide)), (Rows{{B}, {A}}));
    EXPECT_EQ(pixelsOf(Edition(Orientation::up, true, false).apply(wide)), (Rows{{B, A}}));

    // A B
    // C D
    const auto square = gfx::Image::create(2, 2, {A, B, C, D});
    EXPECT_EQ(pixelsOf(Edition(Orientation::up, false, true).apply(square)), (Rows{{C, D}, {A, B}}));
    EXPECT_EQ(pixelsOf(Edition(Orientation::down, true, true).apply(square)), (Rows{{A, B}, {C, D}}));
    // Mirrored top to bottom (C D over A B), then turned.
    EXPECT_EQ(pixelsOf(Edition(Orientation::left, false, true).apply(square)), (Rows{{D, B}, {C, A}}));
    EXPECT_EQ(pixelsOf(Edition(Orientation::right, false, true).apply(square)), (Rows{{A, C}, {B, D}}));
}

// The flip commands mirror the picture as the edition shows it: after a quarter turn, the flag that does so
// is the other one.
TEST(Edition, FlipCommandsMirrorThePictureAsShown)
{
    const auto square = gfx::Image::create(2, 2, {A, B, C, D});
    const Edition leftRight = Edition::identity.flippedHorizontally();
    const Edition topBottom = Edition::identity.flippedVertically();
    for (auto o : {Orientation::up, Orientation::right, Orientation::down, Orientation::left}) {
        const Edition turned(o, false, false);
        const auto shown = turned.apply(square);
        EXPECT_EQ(pixelsOf(turned.flippedHorizontally().apply(square)), pixelsOf(leftRight.apply(shown)));
        EXPECT_EQ(pixelsOf(turned.flippedVertically().apply(square)), pixelsOf(topBottom.apply(shown)));
        Edition edited = turned;
        edited.flipHorizontally();
        edited.flipVertically();
        EXPECT_EQ(pixelsOf(edited.apply(square)), pixelsOf(topBottom.apply(leftRight.apply(shown))));
    }
    EXPECT_EQ(Edition(Orientation::right, false, false).flippedHorizontally(),
              Edition(Orientation::right, false, true));
}

// The track's own turn and mirror (its display matrix, y-down) come first, then the edition.
TEST(Edition, TheTracksTurnComesFirst)
{
    const auto wide = gfx::Image::create(2, 1, {A, B});
    const gfx::AffineTransform clockwise{0, 1, -1, 0, 0, 0};
    EXPECT_EQ(pixelsOf(Edition::identity.apply(wide, clockwise)), (Rows{{A}, {B}}));
    EXPECT_EQ(pixelsOf(Edition(Orientation::right, false, false).apply(wide, clockwise)), (Rows{{B, A}}));
    EXPECT_EQ(pixelsOf(Edition::identity.flippedVertically().apply(wide, clockwise)), (Rows{{B}, {A}}));
    EXPECT_EQ(pixelsOf(Edition::identity.apply(wide, {-1, 0, 0, 1, 0, 0})), (Rows{{B, A}}));
    // A scaled and moved matrix turns as its turn does; a free angle is no turn.
    EXPECT_EQ(pixelsOf(Edition::identity.apply(wide, {0, 2, -2, 0, 5, 7})), (Rows{{A}, {B}}));
    EXPECT_EQ(Edition::identity.apply(wide, gfx::AffineTransform::rotation(0.3)), wide);
    const gfx::Size stored{40, 30};
    const auto r =
        gfx::applying(gfx::Rect{{0, 0}, stored}, orvalis::editionTransform(Edition::identity, stored, clockwise));
    EXPECT_NEAR(r.minX(), 0, 1e-9);
    EXPECT_NEAR(r.minY(), 0, 1e-9);
    EXPECT_NEAR(r.width(), 30, 1e-9);
    EXPECT_NEAR(r.height(), 40, 1e-9);
}

TEST(Edition, ImagesTakeTheEditedSize)
{
    const auto image = gfx::Image::create(200, 100, std::vector<gfx::Pixel>(200 * 100, A));
    const auto right = Edition(Orientation::right, false, false).apply(image);
    EXPECT_EQ(right->width(), 100);
    EXPECT_EQ(right->height(), 200);
    const auto down = Edition(Orientation::down, true, true).apply(image);
    EXPECT_EQ(down->width(), 200);
    EXPECT_EQ(down->height(), 100);
}

TEST(Edition, TransformMapsThePictureOntoTheOrigin)
{
    const gfx::Size size{40, 30};
    for (auto o : {Orientation::up, Orientation::down, Orientation::right, Orientation::left}) {
        for (bool h : {false, true}) {
            for (bool v : {false, true}) {
                const Edition e(o, h, v);
                const auto r = gfx::applying(gfx::Rect{{0, 0}, size}, orvalis::editionTransform(e, size));
                EXPECT_NEAR(r.minX(), 0, 1e-9);
                EXPECT_NEAR(r.minY(), 0, 1e-9);
                EXPECT_NEAR(r.width(), e.apply(size).width, 1e-9);
                EXPECT_NEAR(r.height(), e.apply(size).height, 1e-9);
            }
        }
    }
}

namespace {

// Writes what an archive of an edition may hold, under the edition's class name.
class StoredEdition : public core::Coding {
public:
    explicit StoredEdition(std::optional<std::int64_t> orientation) : orientation_(orientation) {}
    std::string className() const override { return EditionCodingState::codingClassName; }
    void encode(core::KeyedArchiver& coder) const override
    {
        if (orientation_) coder.encodeInt64("orientation", *orientation_);
        coder.encodeBool("verticalFlipped", true);
    }

private:
    std::optional<std::int64_t> orientation_;
};

std::optional<Edition> decoded(const core::Data& data)
{
    const auto state = kestrane::keyedUnarchive<EditionCodingState>(data);
    if (!state) return std::nullopt;
    return Edition(*state);
}

}  // namespace

TEST(Edition, ArchivesItsThreeFields)
{
    for (auto o : {Orientation::up, Orientation::down, Orientation::right, Orientation::left}) {
        const Edition edition(o, o == Orientation::down, o != Orientation::right);
        EXPECT_EQ(decoded(kestrane::keyedArchive(edition.codingState())), edition);
    }
}

TEST(Edition, ArchivesWithoutOrientationReadUpAndBadOnesReadNothing)
{
    EXPECT_EQ(decoded(kestrane::keyedArchive(std::make_shared<StoredEdition>(std::nullopt))),
              Edition(Orientation::up, false, true));
    EXPECT_EQ(decoded(kestrane::keyedArchive(std::make_shared<StoredEdition>(3))),
              Edition(Orientation::left, false, true));
    EXPECT_EQ(decoded(kestrane::keyedArchive(std::make_shared<StoredEdition>(7))), std::nullopt);
    EXPECT_EQ(decoded(kestrane::keyedArchive(std::make_shared<StoredEdition>(-1))), std::nullopt);
}
