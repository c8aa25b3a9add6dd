// An angle in radians, held in [0, 2π) by every constructor, setter and by + and -; += and -= add the
// other value as it is, so the value can leave that range.
#pragma once

#include <compare>
#include <string>

namespace kestrane {

class Angle {
public:
    enum class AngleType { zero, acute, right, obtuse, straight, reflex };

    Angle() = default;
    static Angle fromRadians(double radians);
    static Angle fromDegrees(double degrees);
    static Angle zero() { return {}; }
    static Angle right();
    static Angle straight();
    static double radiansToDegrees(double radians);
    static double degreesToRadians(double degrees);

    double radians() const { return value_; }
    void setRadians(double radians);
    double degrees() const;
    void setDegrees(double degrees);

    // What is left to the next whole right angle (of the remainder after whole right angles).
    Angle complementary() const;
    // What is left to the next whole straight angle.
    Angle supplementary() const;
    // 2π − value; zero stays zero.
    Angle explementary() const;
    // right and straight only for those exact values; reflex for anything above π, negative or NaN.
    AngleType type() const;
    // The degrees and " deg": "90.0 deg".
    std::string description() const;

    Angle& operator+=(const Angle& other);
    Angle& operator-=(const Angle& other);
    friend Angle operator+(const Angle& a, const Angle& b) { return fromRadians(a.value_ + b.value_); }
    friend Angle operator-(const Angle& a, const Angle& b) { return fromRadians(a.value_ - b.value_); }
    friend bool operator==(const Angle&, const Angle&) = default;
    friend auto operator<=>(const Angle&, const Angle&) = default;

private:
    static double normalized(double radians);

    double value_ = 0;
};

}  // namespace kestrane
