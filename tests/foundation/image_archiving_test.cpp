#include <functional>

#include <gtest/gtest.h>

#include "foundation/coder_archiving.h"
#include "foundation/image_archiving.h"

using namespace kestrane;

namespace {

// An object whose encoding and decoding the test chooses.
struct ImageHolder : core::Coding {
    std::string className() const override { return "ImageArchivingHolder"; }
    void encode(core::KeyedArchiver& archiver) const override { encoder(archiver); }
    std::function<void(core::KeyedArchiver&)> encoder;
};

void roundTrip(std::function<void(core::KeyedArchiver&)> encode, std::function<void(core::KeyedUnarchiver&)> decode)
{
    static std::function<void(core::KeyedUnarchiver&)> current;
    current = std::move(decode);
    core::CodingRegistry::add<ImageHolder>("ImageArchivingHolder", [](core::KeyedUnarchiver& u) {
        current(u);
        return std::make_shared<ImageHolder>();
    });
    auto holder = std::make_shared<ImageHolder>();
    holder->encoder = std::move(encode);
    ASSERT_TRUE(keyedUnarchive<ImageHolder>(keyedArchive(holder)));
}

}  // namespace

TEST(ImageArchiving, ImagesRoundTripAsPNGAndAbsentOnesLeaveNoKey)
{
    const auto image = gfx::Image::create(2, 1, {gfx::makePixel(255, 1, 2, 3), gfx::makePixel(128, 64, 0, 0)});
    roundTrip(
        [&](core::KeyedArchiver& coder) {
            encodeCGImageAsPNG(coder, image, "image");
            encodeCGImageAsPNG(coder, nullptr, "none");
            encodeString(coder, "not an image", "text");
            coder.encodeData("garbage", core::Data{0x89, 'P', 'N', 'G'});
        },
        [&](core::KeyedUnarchiver& coder) {
            const auto decoded = decodeCGImagePNGForKey(coder, "image");
            ASSERT_NE(decoded, nullptr);
            EXPECT_EQ(decoded->pixel(0, 0), image->pixel(0, 0));
            EXPECT_EQ(decoded->pixel(1, 0), image->pixel(1, 0));
            EXPECT_FALSE(coder.contains("none"));
            EXPECT_EQ(decodeCGImagePNGForKey(coder, "none"), nullptr);
            EXPECT_EQ(decodeCGImagePNGForKey(coder, "text"), nullptr);
            EXPECT_EQ(decodeCGImagePNGForKey(coder, "garbage"), nullptr);
            EXPECT_EQ(decodeCGImagePNGForKey(coder, "missing"), nullptr);
        });
}
