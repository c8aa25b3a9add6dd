#include "foundation/asset_extensions.h"
#include "foundation/export_session.h"
#include "foundation/media_file_extensions.h"
#include "platform/core/error.h"
#include "platform/media/export_names.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrane;

namespace {

media::AssetRef makeMovie(const testsupport::TempDir& dir, const std::string& name, int rotation)
{
    testmovie::MovieSpec spec;
    spec.rotation = rotation;
    spec.frameCount = 12;
    std::string path = (dir / name).string();
    testmovie::writeMovie(path, spec);
    return media::Asset::create(core::Url::fileURL(path));
}

}  // namespace

TEST(AssetExtensions, FactsOfTheVideoTracks)
{
    testsupport::TempDir dir;
    auto plain = makeMovie(dir, "plain.mp4", 0);
    EXPECT_FLOAT_EQ(computeFrameRate(*plain), 30000.0f / 1001);
    EXPECT_EQ(computeNaturalSize(*plain), (gfx::Size{160, 120}));
    EXPECT_TRUE(computeNaturalTransform(*plain).isIdentity());
    EXPECT_EQ(computeNaturalOrientation(*plain), Orientation::up);

    auto portrait = makeMovie(dir, "portrait.mp4", 90);
    EXPECT_EQ(computeNaturalOrientation(*portrait), Orientation::left);
    EXPECT_EQ(computeNaturalSize(*portrait), (gfx::Size{160, 120}));
    EXPECT_EQ(computePresentationSize(*portrait), (gfx::Size{120, 160}));
    EXPECT_EQ(computePresentationSize(*plain), (gfx::Size{160, 120}));

    auto missing = media::Asset::create(core::Url::fileURL((dir / "none.mp4").string()));
    EXPECT_EQ(computeFrameRate(*missing), 0);
    EXPECT_EQ(computeNaturalSize(*missing), (gfx::Size{0, 0}));
    EXPECT_TRUE(computeNaturalTransform(*missing).isIdentity());
    EXPECT_EQ(computeNaturalOrientation(*missing), Orientation::up);
}

TEST(AssetExtensions, OrientationFromTransforms)
{
    EXPECT_EQ(orientationOf({0, 1, -1, 0, 30, 40}), Orientation::left);
    EXPECT_EQ(orientationOf({0, -1, 1, 0, 0, 0}), Orientation::right);
    EXPECT_EQ(orientationOf({-1, 0, 0, -1, 0, 0}), Orientation::down);
    EXPECT_EQ(orientationOf({0, 1, -1, 0.5, 0, 0}), Orientation::up);
}

TEST(AssetExtensions, RightAngleTurnsOfTransforms)
{
    EXPECT_EQ(rightAngleTurn({0, 2, -2, 0, 30, 40}), (gfx::AffineTransform{0, 1, -1, 0, 0, 0}));
    EXPECT_EQ(rightAngleTurn({-1, 0, 0, 1, 5, 0}), (gfx::AffineTransform{-1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(rightAngleTurn({0, -0.99999, 1, 0, 0, 0}), (gfx::AffineTransform{0, -1, 1, 0, 0, 0}));
    EXPECT_TRUE(rightAngleTurn(gfx::AffineTransform::rotation(0.3)).isIdentity());
    EXPECT_TRUE(rightAngleTurn({1, 1, 0, 1, 0, 0}).isIdentity());
    EXPECT_TRUE(rightAngleTurn({0, 0, 0, 0, 0, 0}).isIdentity());
    EXPECT_TRUE(rightAngleTurn({1, 0, 0, std::numeric_limits<double>::quiet_NaN(), 0, 0}).isIdentity());
}

TEST(AssetExtensions, CopyImageThrowsWhenTheGeneratorGivesNone)
{
    testsupport::TempDir dir;
    auto asset = makeMovie(dir, "grab.mp4", 0);
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(media::Time::zero());
    generator->setRequestedTimeToleranceAfter(media::Time::zero());
    gfx::ImageRef image = copyCGImage(*generator, media::Time::make(5 * 1001, 30000));
    EXPECT_EQ(testmovie::readFrameIndex(*image), 5);
    EXPECT_THROW(copyCGImage(*generator, media::Time::make(-1, 1)), core::Error);
}

TEST(ExportSession, NamesAndOrder)
{
    EXPECT_EQ(AssetExportSession::displayedName("AVAssetExportPresetMediumQuality_16x9"), "Medium Quality 16x9");
    EXPECT_EQ(AssetExportSession::displayedName("nonsense"), std::nullopt);
    EXPECT_EQ(AssetExportSession::fileExtension(media::fileTypes::AVFileTypeAIFF), "aif");
    EXPECT_EQ(AssetExportSession::fileExtension(media::fileTypes::AVFileTypeSunAU), "au");
    EXPECT_EQ(AssetExportSession::fileExtension("public.nothing"), std::nullopt);
    EXPECT_TRUE(AssetExportSession::orderedPresets({}).empty());
    EXPECT_EQ(AssetExportSession::orderedPresets({"b", "a"}), (std::vector<std::string>{"b", "a"}));
    using namespace media::exportPresets;
    EXPECT_EQ(AssetExportSession::orderedPresets(
                  {AVAssetExportPreset1920x1080, "x", AVAssetExportPreset640x480, AVAssetExportPresetPassthrough}),
              (std::vector<std::string>{"x", AVAssetExportPresetPassthrough, AVAssetExportPreset640x480,
                                        AVAssetExportPreset1920x1080}));
    EXPECT_EQ(AVVideoExtensions.size(), 10u);
    EXPECT_EQ(AVVideoExtensions.back(), "4k");
    EXPECT_EQ(AVAudioExtensions.size(), 14u);
    EXPECT_EQ(AVAudioExtensions[8], "m4a");
}
