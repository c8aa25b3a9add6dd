// The page control picks the dot under a click, asks its delegate first, and ignores clicks beside the row.
#include <gtest/gtest.h>

#include "appkit/event_extensions.h"
#include "appkit/page_control.h"
#include "platform/ui/window.h"

namespace {

class Delegate : public kestrane::PageControlDelegate {
public:
    bool shouldSelectPage(kestrane::PageControl&, long page) override
    {
        asked.push_back(page);
        return allow;
    }
    void didSelectPage(kestrane::PageControl&, long page) override { told.push_back(page); }
    bool allow = true;
    std::vector<long> asked;
    std::vector<long> told;
};

struct Fixture {
    std::shared_ptr<ui::Window> window = ui::Window::create({0, 0, 100, 10}, ui::StyleMask::titled);
    std::shared_ptr<kestrane::PageControl> control = core::make<kestrane::PageControl>(gfx::Rect{0, 0, 100, 10});
    Fixture()
    {
        window->contentView()->addSubview(control);
        control->setNumberOfPages(3);  // cells from x = 35, 10 wide
    }
    void clickAt(double x) { control->mouseUp(*kestrane::leftMouseDown({x, 5}, window)); }
};

TEST(PageControl, SelectsTheDotUnderTheClickOnly)
{
    Fixture f;
    EXPECT_EQ(f.control->cellRect(0), (gfx::Rect{35, 0, 10, 10}));
    f.clickAt(57);
    EXPECT_EQ(f.control->currentPage(), 2);
    f.clickAt(30);  // left of the first dot
    f.clickAt(66);  // right of the last
    EXPECT_EQ(f.control->currentPage(), 2);
    f.clickAt(36);
    EXPECT_EQ(f.control->currentPage(), 0);
}

TEST(PageControl, AsksAndTellsItsDelegate)
{
    Fixture f;
    auto delegate = std::make_shared<Delegate>();
    f.control->setDelegate(delegate);
    f.control->setCurrentPage(1);  // in code: the delegate hears nothing
    EXPECT_TRUE(delegate->asked.empty());
    delegate->allow = false;
    f.clickAt(57);
    EXPECT_EQ(f.control->currentPage(), 1);
    EXPECT_EQ(delegate->asked, std::vector<long>{2});
    EXPECT_TRUE(delegate->told.empty());
    delegate->allow = true;
    f.clickAt(47);
    EXPECT_EQ(delegate->told, std::vector<long>{1});  // told even when the page was already current
}

TEST(PageControl, IgnoresClicksWithoutPages)
{
    Fixture f;
    f.control->setNumberOfPages(0);
    f.control->setCurrentPage(0);
    f.clickAt(50);
    EXPECT_EQ(f.control->currentPage(), 0);
    EXPECT_FALSE(f.control->pageAt(50));
}

TEST(PageControl, DrawsTheCurrentDotDarker)
{
    Fixture f;
    f.control->setCurrentPage(1);
    auto image = f.window->snapshot();
    ASSERT_TRUE(image);
    const double scale = double(image->width()) / 100;
    auto level = [&](double x) { return int(image->pixel(int(x * scale), int(5 * scale)) & 0xff); };
    EXPECT_NEAR(level(50), 115, 3);  // gray 0.45
    EXPECT_NEAR(level(40), 217, 3);  // gray 0.85
    EXPECT_NEAR(level(60), 217, 3);
}

}  // namespace
