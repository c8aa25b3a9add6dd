#include "numerics/size_geometry.h"

#include <cmath>

#include "numerics/real_number.h"

namespace kestrane {

gfx::Size Size::square(double v) { return {v, v}; }

gfx::Size& Size::PDFPage()
{
    static gfx::Size page{612, 792};
    return page;
}

bool overlap(const gfx::Size& s, const gfx::Size& other, double tolerance)
{
    return overlap(s.width, other.width, tolerance) && overlap(s.height, other.height, tolerance);
}

bool isSimilarTo(const gfx::Size& s, const gfx::Size& other, int places)
{
    return isSimilarTo(s.width, other.width, places) && isSimilarTo(s.height, other.height, places);
}

gfx::Rect rect(const gfx::Size& s) { return gfx::Rect({0, 0}, s); }
gfx::Point center(const gfx::Size& s) { return {s.width / 2, s.height / 2}; }
gfx::Point point(const gfx::Size& s) { return {s.width, s.height}; }
gfx::Size invertedSize(const gfx::Size& s) { return {s.height, s.width}; }
double whRatio(const gfx::Size& s) { return s.width / s.height; }
double hwRatio(const gfx::Size& s) { return s.height / s.width; }
double min(const gfx::Size& s) { return s.width < s.height ? s.width : s.height; }
double max(const gfx::Size& s) { return s.height <= s.width ? s.width : s.height; }
double area(const gfx::Size& s) { return s.width * s.height; }

gfx::Size innerSquare(const gfx::Size& s)
{
    double side = s.width < s.height ? s.width : s.height;
    return {side, side};
}

gfx::Size outerSquare(const gfx::Size& s)
{
    double side = s.width >= s.height ? s.width : s.height;
    return {side, side};
}

gfx::Size withWidth(const gfx::Size& s, double width) { return {width, s.height}; }
gfx::Size withHeight(const gfx::Size& s, double height) { return {s.width, height}; }
gfx::Size addingWidth(const gfx::Size& s, double dw) { return {s.width + dw, s.height}; }
gfx::Size addingHeight(const gfx::Size& s, double dh) { return {s.width, s.height + dh}; }
void round(gfx::Size& s) { s = rounded(s); }
gfx::Size rounded(const gfx::Size& s) { return {std::round(s.width), std::round(s.height)}; }
void round(gfx::Size& s, int places) { s = rounded(s, places); }
gfx::Size rounded(const gfx::Size& s, int places) { return {round(s.width, places), round(s.height, places)}; }

gfx::Size roundedInt(const gfx::Size& s) { return {double(roundInt(s.width)), double(roundInt(s.height))}; }

std::string roundIntDesc(const gfx::Size& s)
{
    return std::to_string(roundInt(s.width)) + " x " + std::to_string(roundInt(s.height));
}

gfx::Size abs(const gfx::Size& s) { return {std::fabs(s.width), std::fabs(s.height)}; }
gfx::Size floor(const gfx::Size& s) { return {std::floor(s.width), std::floor(s.height)}; }
gfx::Size ceil(const gfx::Size& s) { return {std::ceil(s.width), std::ceil(s.height)}; }

void clamp(gfx::Size& s, double maxSide) { s = clamping(s, maxSide); }

gfx::Size clamping(const gfx::Size& s, double maxSide)
{
    double w = std::fabs(s.width);
    double h = std::fabs(s.height);
    if (maxSide >= w && maxSide >= h) return s;
    if (w > h) return {maxSide, h / w * maxSide};
    return {w / h * maxSide, maxSide};
}

void clamp(gfx::Size& s, const gfx::Size& maximum) { s = clamping(s, maximum); }

gfx::Size clamping(const gfx::Size& s, const gfx::Size& maximum)
{
    double sx = maximum.width / s.width;
    double sy = maximum.height / s.height;
    if (!(sx < 1) && !(sy < 1)) return s;
    if (sx > sy) return {s.width * sy, maximum.height};
    return {maximum.width, s.height * sx};
}

void scaleToHeight(gfx::Size& s, double height) { s = scalingToHeight(s, height); }
gfx::Size scalingToHeight(const gfx::Size& s, double height) { return {s.width / s.height * height, height}; }
void scaleToWidth(gfx::Size& s, double width) { s = scalingToWidth(s, width); }
gfx::Size scalingToWidth(const gfx::Size& s, double width) { return {width, s.height / s.width * width}; }

void fit(gfx::Size& s, const gfx::Size& target) { s = fitting(s, target); }

gfx::Size fitting(const gfx::Size& s, const gfx::Size& target)
{
    double r = s.width / s.height;
    if (r > target.width / target.height) return {target.width, target.width / r};
    return {target.height * r, target.height};
}

gfx::Rect fitting(const gfx::Size& s, const gfx::Rect& rect)
{
    double r = s.width / s.height;
    double w = rect.width();
    double h = rect.height();
    if (r > w / h) {
        double height = w / r;
        return gfx::Rect(rect.origin.x, rect.origin.y + (h - height) / 2, w, height);
    }
    double width = r * h;
    return gfx::Rect(rect.origin.x + (w - width) / 2, rect.origin.y, width, h);
}

gfx::Rect filling(const gfx::Size& s, const gfx::Rect& rect)
{
    double r = s.width / s.height;
    double w = rect.width();
    double h = rect.height();
    if (r > w / h) {
        double width = r * h;
        return gfx::Rect(rect.origin.x + (w - width) / 2, rect.origin.y, width, h);
    }
    double height = w / r;
    return gfx::Rect(rect.origin.x, rect.origin.y + (h - height) / 2, w, height);
}

gfx::Rect centered(const gfx::Size& s, const gfx::Rect& rect)
{
    return gfx::Rect(rect.origin.x + (rect.width() - s.width) / 2, rect.origin.y + (rect.height() - s.height) / 2,
                     s.width, s.height);
}

void apply(gfx::Size& s, const gfx::AffineTransform& t) { s = gfx::applying(s, t); }

gfx::Size operator+(const gfx::Size& s) { return s; }
gfx::Size operator-(const gfx::Size& s) { return {-s.width, -s.height}; }
gfx::Size operator+(const gfx::Size& s, const gfx::Size& t) { return {s.width + t.width, s.height + t.height}; }
gfx::Size operator-(const gfx::Size& s, const gfx::Size& t) { return {s.width - t.width, s.height - t.height}; }
gfx::Size operator+(const gfx::Size& s, double k) { return {s.width + k, s.height + k}; }
gfx::Size operator+(double k, const gfx::Size& s) { return {k + s.width, k + s.height}; }
gfx::Size operator-(const gfx::Size& s, double k) { return {s.width - k, s.height - k}; }
gfx::Size operator-(double k, const gfx::Size& s) { return {k - s.width, k - s.height}; }
gfx::Size operator*(const gfx::Size& s, double k) { return {s.width * k, s.height * k}; }
gfx::Size operator*(double k, const gfx::Size& s) { return {k * s.width, k * s.height}; }
gfx::Size operator/(const gfx::Size& s, double k) { return {s.width / k, s.height / k}; }
gfx::Size& operator+=(gfx::Size& s, const gfx::Size& t) { return s = s + t; }
gfx::Size& operator-=(gfx::Size& s, const gfx::Size& t) { return s = s - t; }
gfx::Size& operator+=(gfx::Size& s, double k) { return s = s + k; }
gfx::Size& operator-=(gfx::Size& s, double k) { return s = s - k; }
gfx::Size& operator*=(gfx::Size& s, double k) { return s = s * k; }
gfx::Size& operator/=(gfx::Size& s, double k) { return s = s / k; }

}  // namespace kestrane
