// The path bar adds, inserts and removes titled items by index, keeps its height and draws its titles.
#include <gtest/gtest.h>

#include "appkit/pathbar.h"
#include "platform/ui/window.h"

namespace {

std::vector<std::string> titles(const kestrane::Pathbar& bar)
{
    std::vector<std::string> result;
    for (auto& cell : bar.pathComponentCells())
        result.push_back(cell->title());
    return result;
}

TEST(Pathbar, EditsItsItemsByIndex)
{
    auto bar = core::make<kestrane::Pathbar>(gfx::Rect{0, 0, 200, 22});
    for (auto title : {"A", "B", "C"})
        bar->addItemWithTitle(title);
    EXPECT_EQ(titles(*bar), (std::vector<std::string>{"A", "B", "C"}));
    for (auto& cell : bar->pathComponentCells())
        EXPECT_TRUE(std::dynamic_pointer_cast<kestrane::PathbarComponentCell>(cell));
    bar->insertItemWithTitle("X", 3);
    bar->removeItemAtIndex(0);
    EXPECT_EQ(titles(*bar), (std::vector<std::string>{"B", "C", "X"}));
    EXPECT_TRUE(bar->pathComponentCells().front()->isFirstItem());
    EXPECT_TRUE(bar->pathComponentCells().back()->isLastItem());
    EXPECT_FALSE(bar->pathComponentCells().front()->isLastItem());
    bar->removeLastItem();
    EXPECT_EQ(titles(*bar), (std::vector<std::string>{"B", "C"}));

    bar->insertItemWithTitle("Y", 5);
    bar->insertItemWithTitle("Y", -1);
    bar->removeItemAtIndex(2);
    bar->removeItemAtIndex(-1);
    EXPECT_EQ(titles(*bar), (std::vector<std::string>{"B", "C"}));
    bar->removeLastItem();
    bar->removeLastItem();
    bar->removeLastItem();
    EXPECT_TRUE(bar->pathComponentCells().empty());
}

TEST(Pathbar, KeepsItsFirstHeight)
{
    auto bar = core::make<kestrane::Pathbar>(gfx::Rect{0, 0, 200, 22});
    bar->setFrame({0, 0, 300, 40});
    EXPECT_EQ(bar->frame().size.height, 22);
    EXPECT_EQ(bar->intrinsicContentSize().width, ui::View::noIntrinsicMetric);
    EXPECT_EQ(bar->intrinsicContentSize().height, ui::View::noIntrinsicMetric);
}

class CountingBar : public kestrane::Pathbar {
public:
    using Pathbar::Pathbar;
    void drawBackgroundForBarCell(kestrane::PathbarCell&) override { ++backgrounds; }
    int backgrounds = 0;
};

int inkedPixels(const gfx::ImageRef& image)
{
    int count = 0;
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            count += image->pixel(x, y) != image->pixel(0, 0);
    return count;
}

TEST(Pathbar, DrawsItsTitlesOverItsBackground)
{
    auto window = ui::Window::create({0, 0, 200, 22}, ui::StyleMask::titled);
    auto bar = core::make<CountingBar>(gfx::Rect{0, 0, 200, 22});
    window->contentView()->addSubview(bar);
    const int empty = inkedPixels(window->snapshot());
    bar->addItemWithTitle("Movies");
    bar->addItemWithTitle("Snaps");
    EXPECT_GT(inkedPixels(window->snapshot()), empty + 20);
    EXPECT_GT(bar->backgrounds, 0);
}

}  // namespace
