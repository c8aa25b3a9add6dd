#include "numerics/angle.h"

#include <cmath>

#include "numerics/angle_constants.h"
#include "numerics/number_text.h"

namespace kestrane {

namespace {
constexpr double toDegrees = 57.29577951308232;
constexpr double toRadians = 0.017453292519943295;
}  // namespace

double Angle::normalized(double radians)
{
    double v = std::fmod(radians, PI_2_1);
    return v < 0 ? v + PI_2_1 : v;
}

Angle Angle::fromRadians(double radians)
{
    Angle angle;
    angle.setRadians(radians);
    return angle;
}

Angle Angle::fromDegrees(double degrees) { return fromRadians(degrees * toRadians); }

Angle Angle::right() { return fromRadians(PI_1_2); }
Angle Angle::straight() { return fromRadians(PI_1_1); }
double Angle::radiansToDegrees(double radians) { return radians * toDegrees; }
double Angle::degreesToRadians(double degrees) { return degrees * toRadians; }
void Angle::setRadians(double radians) { value_ = normalized(radians); }
double Angle::degrees() const { return value_ * toDegrees; }
void Angle::setDegrees(double degrees) { setRadians(degrees * toRadians); }

Angle Angle::complementary() const
{
    double m = std::fmod(value_, PI_1_2);
    if (m < 0) m += PI_1_2;
    return fromRadians(PI_1_2 - m);
}

Angle Angle::supplementary() const
{
    double m = std::fmod(value_, PI_1_1);
    if (m < 0) m += PI_1_1;
    return fromRadians(PI_1_1 - m);
}

Angle Angle::explementary() const { return fromRadians(PI_2_1 - value_); }

Angle::AngleType Angle::type() const
{
    if (value_ == 0) return AngleType::zero;
    if (0 < value_ && value_ < PI_1_2) return AngleType::acute;
    if (value_ == PI_1_2) return AngleType::right;
    if (PI_1_2 < value_ && value_ < PI_1_1) return AngleType::obtuse;
    if (value_ == PI_1_1) return AngleType::straight;
    return AngleType::reflex;
}

std::string Angle::description() const { return describe(value_ * 180 / PI_1_1) + " deg"; }

Angle& Angle::operator+=(const Angle& other)
{
    value_ += other.value_;
    return *this;
}

Angle& Angle::operator-=(const Angle& other)
{
    value_ -= other.value_;
    return *this;
}

}  // namespace kestrane
