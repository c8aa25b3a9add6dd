#include "tests/moviekit/panel_support.h"

#include "foundation/kvo_dispatcher.h"

#include "tools/testmovie/test_movie.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace moviekittest {

namespace {

// A rectangle of y-up points of the content area as pixel bounds of a drawing whose row 0 is the top.
struct PixelBox {
    int x0, y0, x1, y1;
};

PixelBox boxOf(const gfx::Image& image, const gfx::Size& content, const gfx::Rect& rect)
{
    const double scale = image.width() / content.width;
    PixelBox box{int(std::ceil(rect.minX() * scale)), int(std::ceil((content.height - rect.maxY()) * scale)),
                 int(std::floor(rect.maxX() * scale)), int(std::floor((content.height - rect.minY()) * scale))};
    box.x0 = std::clamp(box.x0, 0, image.width());
    box.x1 = std::clamp(box.x1, 0, image.width());
    box.y0 = std::clamp(box.y0, 0, image.height());
    box.y1 = std::clamp(box.y1, 0, image.height());
    return box;
}

char kindOf(gfx::Pixel p)
{
    const int r = gfx::redOf(p), g = gfx::greenOf(p), b = gfx::blueOf(p);
    if (r < 70 && g < 70 && b < 70) return 'k';
    if (r > 180 && g > 180 && b > 180) return 'w';
    if (r > 150 && g < 110 && b < 110) return 'r';
    return '?';
}

}  // namespace

gfx::ImageRef shownPicture(ui::Window& window, const orvalis::MovieView& view)
{
    const gfx::ImageRef drawing = window.snapshot();
    if (!drawing) return nullptr;
    const PixelBox box = boxOf(*drawing, window.contentSize(), view.convertRectTo(view.videoRect(), nullptr));
    if (box.x1 <= box.x0 || box.y1 <= box.y0) return nullptr;
    std::vector<gfx::Pixel> pixels;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x)
            pixels.push_back(drawing->pixel(x, y));
    return gfx::Image::create(box.x1 - box.x0, box.y1 - box.y0, std::move(pixels));
}

int shownFrameIndex(ui::Window& window, const orvalis::MovieView& view)
{
    const gfx::ImageRef picture = shownPicture(window, view);
    return picture ? testmovie::readFrameIndex(*picture) : -1;
}

double agreement(const gfx::Image& a, const gfx::Image& b)
{
    constexpr int samples = 24;
    int counted = 0, agreeing = 0;
    for (int j = 0; j < samples; ++j)
        for (int i = 0; i < samples; ++i) {
            const double u = (i + 0.5) / samples, v = (j + 0.5) / samples;
            const char ka = kindOf(a.pixel(int(u * a.width()), int(v * a.height())));
            const char kb = kindOf(b.pixel(int(u * b.width()), int(v * b.height())));
            if (ka == '?' || kb == '?') continue;
            ++counted;
            agreeing += ka == kb ? 1 : 0;
        }
    return counted ? double(agreeing) / counted : 0;
}

bool drawsSomethingIn(ui::Window& window, const gfx::Rect& rect, gfx::Pixel ground)
{
    const gfx::ImageRef drawing = window.snapshot();
    if (!drawing) return false;
    const PixelBox box = boxOf(*drawing, window.contentSize(), rect);
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            const gfx::Pixel p = drawing->pixel(x, y);
            const int difference = std::abs(gfx::redOf(p) - gfx::redOf(ground)) +
                                   std::abs(gfx::greenOf(p) - gfx::greenOf(ground)) +
                                   std::abs(gfx::blueOf(p) - gfx::blueOf(ground));
            if (difference > 60) return true;
        }
    return false;
}

int registrationsOf(const core::Object* observer)
{
    const std::string text = kestrane::KVO().description();
    const auto start = text.find(std::to_string(reinterpret_cast<std::intptr_t>(observer)) + ": [");
    if (start == std::string::npos) return 0;
    const auto end = text.find(">]", start);
    int count = 0;
    for (auto at = text.find("KVOObservator<", start); at < end; at = text.find("KVOObservator<", at + 1))
        ++count;
    return count;
}

}  // namespace moviekittest
