#include "moviekit/image_namer.h"

#include <gtest/gtest.h>

using kestrane::ImageFormat;
using media::Time;
using orvalis::ImageNamer;

namespace {

ImageNamer holidayNamer()
{
    ImageNamer namer;
    namer.setMovieURL(core::Url::fileURL("/home/ann/Movies/Holiday.mov"));
    namer.setFormat(ImageFormat::png);
    namer.setTime(Time::withSeconds(83.25, 1000000000));
    return namer;
}

}  // namespace

TEST(ImageNamer, OffersItsTokens)
{
    EXPECT_EQ(
        ImageNamer::AllMarkups(),
        (std::vector<std::string>{"<movie_name>", "<movie_extension>", "<image_extension>", "<time_hhmmss>",
                                  "<time_hhmmssms>", "<time_seconds>", "<frame_index>", "<frames_count>", "-", "."}));
    EXPECT_EQ(ImageNamer::DefaultMarkups(),
              (std::vector<std::string>{"<movie_name>", "-", "<time_hhmmssms>", ".", "<image_extension>"}));
    const ImageNamer namer;
    EXPECT_EQ(namer.markups(), ImageNamer::DefaultMarkups());
    EXPECT_EQ(namer.movieURL(), std::nullopt);
    EXPECT_EQ(namer.time(), std::nullopt);
}

TEST(ImageNamer, DefaultTemplateNamesByMovieAndTime)
{
    ImageNamer namer = holidayNamer();
    EXPECT_EQ(namer.name(), "Holiday-00-01-23-250.png");
    namer.setFormat(ImageFormat::jpg);
    EXPECT_EQ(namer.name(), "Holiday-00-01-23-250.jpg");
    namer.setTime(std::nullopt);
    EXPECT_EQ(namer.name(), "Holiday-.jpg");
}

TEST(ImageNamer, EveryTokenAndFreeText)
{
    ImageNamer namer = holidayNamer();
    namer.setIndex(3);
    namer.setCount(12);
    namer.setMarkups({"<movie_name>", "_", "<frame_index>", "of", "<frames_count>"});
    EXPECT_EQ(namer.name(), "Holiday_3of12");

    namer.setTime(Time::make(3725, 1));
    namer.setMarkups({"<time_hhmmss>"});
    EXPECT_EQ(namer.name(), "01-02-05");

    namer.setTime(Time::withSeconds(83.5, 1000000000));
    namer.setMarkups({"<movie_extension>", " ", "<time_seconds>", "s ", "<image_extension>"});
    EXPECT_EQ(namer.name(), "mov 84s png");
    namer.setTime(Time::withSeconds(82.5, 1000000000));
    EXPECT_EQ(namer.name(), "mov 82s png");  // halves go to the even neighbour, as printf does

    namer.setMarkups({"<Movie_Name>", "<movie_name >", "<frame_index>"});
    EXPECT_EQ(namer.name(), "<Movie_Name><movie_name >3");
}

TEST(ImageNamer, TimeTokensOfOneNameAgree)
{
    // 5.9996 s: the whole seconds and the milliseconds come from one rounded count.
    ImageNamer namer = holidayNamer();
    namer.setTime(Time::withSeconds(5.9996, 1000000000));
    namer.setMarkups({"<time_hhmmss>", "_", "<time_hhmmssms>", "_", "<time_seconds>"});
    EXPECT_EQ(namer.name(), "00-00-06_00-00-06-000_6");
    // A frame of a 30000/1001 movie just before a whole second.
    namer.setTime(Time::make(1001 * 989, 30000));
    EXPECT_EQ(namer.name(), "00-00-33_00-00-33-000_33");
}

TEST(ImageNamer, NamesNeverLeaveTheExportFolder)
{
    ImageNamer namer = holidayNamer();
    namer.setMarkups({"../", "<movie_name>", "/sub/", std::string("x\0y", 3)});
    EXPECT_EQ(namer.name(), ".._Holiday_sub_x_y");
    namer.setMarkups({"/"});
    EXPECT_EQ(namer.name(), "_");

    for (const auto& markups : std::vector<std::vector<std::string>>{{}, {"."}, {"..", ""}, {".", "."}}) {
        namer.setMarkups(markups);
        EXPECT_EQ(namer.name(), std::nullopt);
    }
    namer.setMarkups({"<frame_index>"});
    EXPECT_EQ(namer.name(), std::nullopt);  // no index set: nothing at all
    namer.setMarkups({"...", "<frames_count>"});
    EXPECT_EQ(namer.name(), "...");
}
