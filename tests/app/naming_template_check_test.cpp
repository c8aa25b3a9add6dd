// A naming template is refused, with a reason in words, when it names nothing, hides its files, makes names
// longer than a file name may be or without the image's extension, or gives several frames of one movie the same
// name.
#include <gtest/gtest.h>

#include "app/batch/naming_template_check.h"
#include "moviekit/image_namer.h"

namespace {

using orvalis::ImageNamer;
using vistrel::namingTemplateProblem;

TEST(NamingTemplateCheck, RefusesTemplatesThatCannotNameFilesAndSaysWhy)
{
    EXPECT_EQ(namingTemplateProblem(ImageNamer::DefaultMarkups(), 500), "");
    EXPECT_EQ(namingTemplateProblem({"shot ", ImageNamer::FrameIndexMarkup, ".", ImageNamer::ImageExtMarkup}, 2), "");

    const std::string empty = namingTemplateProblem({});
    const std::string hidden = namingTemplateProblem({ImageNamer::DotMarkup, ImageNamer::MovieNameMarkup});
    const std::string tooLong = namingTemplateProblem({ImageNamer::MovieNameMarkup, std::string(251, 'x')});
    for (const auto& problem : {empty, hidden, tooLong})
        EXPECT_FALSE(problem.empty());
    EXPECT_NE(empty, hidden);
    EXPECT_NE(hidden, tooLong);
    // Nothing but tokens without a value here, or separators alone, name nothing.
    EXPECT_EQ(namingTemplateProblem({"", ""}), empty);
    EXPECT_EQ(namingTemplateProblem({ImageNamer::DotMarkup, ImageNamer::DotMarkup}), empty);
    EXPECT_EQ(namingTemplateProblem({"..."}), hidden);
    // 255 bytes is the limit (with the longest extension, ".tiff"); a UTF-8 name counts its bytes.
    const std::vector<std::string> extension{ImageNamer::DotMarkup, ImageNamer::ImageExtMarkup};
    const auto withExtension = [&](std::vector<std::string> markups) {
        markups.insert(markups.end(), extension.begin(), extension.end());
        return markups;
    };
    EXPECT_EQ(namingTemplateProblem(withExtension({std::string(250, 'x')})), "");
    EXPECT_EQ(namingTemplateProblem(withExtension({std::string(251, 'x')})), tooLong);
    EXPECT_EQ(namingTemplateProblem(withExtension({std::string(128, 'x'), "é"})), "");
    EXPECT_EQ(namingTemplateProblem(withExtension({std::string(127, 'x'), "ééé"})), "");
    EXPECT_EQ(namingTemplateProblem({std::string(254, 'x'), "é"}), tooLong);
}

TEST(NamingTemplateCheck, SeveralFramesOfAMovieNeedATimeOrAnIndex)
{
    const std::vector<std::string> noTime{ImageNamer::MovieNameMarkup, ImageNamer::DotMarkup,
                                          ImageNamer::ImageExtMarkup};
    EXPECT_EQ(namingTemplateProblem(noTime, 1), "");
    EXPECT_EQ(namingTemplateProblem(noTime, 0), "");
    const std::string same = namingTemplateProblem(noTime, 2);
    EXPECT_FALSE(same.empty());
    EXPECT_NE(same, namingTemplateProblem({}));
    for (const auto& telling : {ImageNamer::HhmmssMarkup, ImageNamer::HhmmssmsMarkup, ImageNamer::SecondsMarkup,
                                ImageNamer::FrameIndexMarkup}) {
        auto markups = noTime;
        markups.insert(markups.begin() + 1, telling);
        EXPECT_EQ(namingTemplateProblem(markups, 100), "") << telling;
    }
    // The count of frames is the same for every frame: it tells none apart.
    EXPECT_EQ(
        namingTemplateProblem({ImageNamer::FrameCountMarkup, ImageNamer::DotMarkup, ImageNamer::ImageExtMarkup}, 2),
        same);
}

TEST(NamingTemplateCheck, AMovieWithALongNameMakesTheNameTooLong)
{
    const auto movie = core::Url::fileURL("/movies/" + std::string(250, 'm') + ".mov");
    const std::vector<std::string> markups{ImageNamer::MovieNameMarkup, "-", ImageNamer::FrameIndexMarkup,
                                           ImageNamer::DotMarkup, ImageNamer::ImageExtMarkup};
    EXPECT_EQ(namingTemplateProblem(markups, 10), "");
    EXPECT_FALSE(namingTemplateProblem(markups, 10, movie).empty());
}

TEST(NamingTemplateCheck, NamesMustEndWithTheExtensionOfTheImageFormat)
{
    const std::string none = namingTemplateProblem({ImageNamer::MovieNameMarkup, "_", ImageNamer::FrameIndexMarkup}, 2);
    EXPECT_FALSE(none.empty());
    EXPECT_NE(none.find("extension"), std::string::npos) << none;
    // An extension written out fits one format only; the token before the end, or without its dot, none.
    EXPECT_EQ(namingTemplateProblem({ImageNamer::FrameIndexMarkup, ".png"}, 2), none);
    EXPECT_EQ(namingTemplateProblem({ImageNamer::FrameIndexMarkup, ImageNamer::ImageExtMarkup}, 2), none);
    EXPECT_EQ(namingTemplateProblem(
                  {ImageNamer::FrameIndexMarkup, ImageNamer::DotMarkup, ImageNamer::ImageExtMarkup, "-copy"}, 2),
              none);
    EXPECT_EQ(
        namingTemplateProblem({ImageNamer::FrameIndexMarkup, ImageNamer::DotMarkup, ImageNamer::ImageExtMarkup}, 2),
        "");
}

}  // namespace
