// Sharing: the picker's menu copies pictures as PNG and file names; the mail service builds its message link.
#include <gtest/gtest.h>

#include "platform/gfx/image_reader.h"
#include "platform/ui/menu.h"
#include "platform/ui/pasteboard.h"
#include "platform/ui/sharing.h"

namespace {

TEST(SharingServicePicker, CopiesThePictureAsPngAndTheFiles)
{
    auto image = gfx::Image::create(2, 2, std::vector<gfx::Pixel>(4, 0xff336699));
    auto picker = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{
        {image, std::nullopt, ""}, {nullptr, core::Url::fileURL("/tmp/snap 1.png"), ""}});
    ASSERT_EQ(picker->menu()->items().size(), 4u);
    EXPECT_EQ(picker->menu()->items()[0]->title(), "Copy");
    EXPECT_TRUE(picker->tryToPerform("copyItems:", nullptr));
    auto board = ui::Pasteboard::general();
    auto png = board->data(ui::PasteboardType::png);
    ASSERT_TRUE(png);
    auto back = gfx::ImageReader::readData(*png);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixel(1, 1), 0xff336699u);
    EXPECT_EQ(board->filenames(), std::vector<std::string>{"/tmp/snap 1.png"});
}

TEST(SharingService, WritesTheMessageLink)
{
    EXPECT_EQ(ui::SharingService::named("com.example.other"), nullptr);
    auto mail = ui::SharingService::named(ui::SharingService::composeEmail);
    ASSERT_TRUE(mail);
    mail->setRecipients({"support@example.org"});
    mail->setSubject("About Vistrel 1.0");
    EXPECT_EQ(mail->mailtoLink({{nullptr, std::nullopt, ""}}), "mailto:support%40example.org?subject=About%20Vistrel%201.0");
    EXPECT_EQ(mail->mailtoLink({{nullptr, std::nullopt, "Hello & bye"}}),
              "mailto:support%40example.org?subject=About%20Vistrel%201.0&body=Hello%20%26%20bye");
}

}  // namespace
