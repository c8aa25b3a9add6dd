#include "bench/images/scene.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace bench {

namespace {

std::uint8_t clampByte(double v) { return std::uint8_t(std::clamp(v, 0.0, 255.0)); }

}  // namespace

gfx::ImageRef sceneFrame(int index, int width, int height)
{
    std::mt19937 grain(unsigned(index) * 7919u + 1u);
    std::normal_distribution<double> noise(0.0, 2.5);
    const double sunX = width * (0.2 + 0.01 * index), sunY = height * 0.3;
    const double ballX = width * (0.1 + 0.025 * index), ballY = height * (0.75 - 0.004 * index);
    const double ballRadius = height * 0.06;
    std::vector<gfx::Pixel> pixels;
    pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const double v = double(y) / height;
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            double r = 70 + 90 * v, g = 120 + 80 * v, b = 220 - 40 * v;
            const double sun =
                std::exp(-(std::pow(x - sunX, 2) + std::pow(y - sunY, 2)) / (2 * std::pow(height * 0.08, 2)));
            r += 180 * sun, g += 140 * sun, b += 40 * sun;
            const double hill = 0.62 + 0.08 * std::sin(u * 9 + index * 0.05) + 0.03 * std::sin(u * 31);
            if (v > hill) {
                const double texture = 12 * std::sin(x * 0.35 + y * 0.21) * std::sin(y * 0.13 - x * 0.05);
                r = 60 + 50 * (v - hill) + texture, g = 110 + 40 * u + texture, b = 50 + texture * 0.5;
            }
            const double ball = std::hypot(x - ballX, y - ballY);
            if (ball < ballRadius) {
                const double shade = 1 - ball / ballRadius * 0.6;
                r = 230 * shade, g = 60 * shade, b = 40 * shade;
            }
            // Grain is mostly in the brightness, as in footage from sensors and film.
            const double luma = noise(grain);
            pixels.push_back(gfx::makePixel(255, clampByte(r + luma + noise(grain) * 0.3),
                                            clampByte(g + luma + noise(grain) * 0.3),
                                            clampByte(b + luma + noise(grain) * 0.3)));
        }
    }
    return gfx::Image::create(width, height, std::move(pixels));
}

}  // namespace bench
