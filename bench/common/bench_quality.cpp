#include "bench/common/bench_quality.h"

#include <QImage>
#include <QMovie>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

double squaredError(const gfx::Image& source, const QImage& decoded)
{
    if (decoded.width() != source.width() || decoded.height() != source.height()) {
        std::fprintf(stderr, "%s: a decoded picture is %dx%d, its source %dx%d\n", program_invocation_short_name,
                     decoded.width(), decoded.height(), source.width(), source.height());
        std::exit(1);
    }
    double sum = 0;
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const gfx::Pixel p = source.pixel(x, y);
            sum += std::pow(gfx::redOf(p) - qRed(row[x]), 2) + std::pow(gfx::greenOf(p) - qGreen(row[x]), 2) +
                   std::pow(gfx::blueOf(p) - qBlue(row[x]), 2);
        }
    }
    return sum;
}

double psnrFromError(double squared, double samples) { return 10 * std::log10(255.0 * 255.0 / (squared / samples)); }

}  // namespace

double psnrOfImage(const gfx::Image& source, const std::string& file)
{
    const QImage decoded = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_ARGB32);
    return psnrFromError(squaredError(source, decoded), 3.0 * source.width() * source.height());
}

double psnrOfGIF(const std::vector<gfx::ImageRef>& sources, const std::string& file)
{
    QMovie movie(QString::fromStdString(file));
    if (movie.frameCount() != int(sources.size())) {
        std::fprintf(stderr, "%s: %s has %d frames\n", program_invocation_short_name, file.c_str(), movie.frameCount());
        std::exit(1);
    }
    double squared = 0, samples = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        movie.jumpToFrame(int(i));
        squared += squaredError(*sources[i], movie.currentImage().convertToFormat(QImage::Format_ARGB32));
        samples += 3.0 * sources[i]->width() * sources[i]->height();
    }
    return psnrFromError(squared, samples);
}

}  // namespace bench
