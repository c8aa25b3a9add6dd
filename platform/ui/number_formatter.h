// Turns numbers into text and back for text fields: decimal, with a fraction unless floats are not allowed,
// limited to an optional minimum and maximum. A value type held by shared reference. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/core/object.h"

namespace ui {

class NumberFormatter : public core::Object {
public:
    std::optional<double> minimum() const { return minimum_; }
    void setMinimum(std::optional<double> minimum) { minimum_ = minimum; }
    std::optional<double> maximum() const { return maximum_; }
    void setMaximum(std::optional<double> maximum) { maximum_ = maximum; }
    bool allowsFloats() const { return allowsFloats_; }
    void setAllowsFloats(bool allows) { allowsFloats_ = allows; }
    int maximumFractionDigits() const { return maximumFractionDigits_; }
    void setMaximumFractionDigits(int digits) { maximumFractionDigits_ = digits; }
    int minimumFractionDigits() const { return minimumFractionDigits_; }
    void setMinimumFractionDigits(int digits) { minimumFractionDigits_ = digits; }

    // The number as text with at most maximumFractionDigits decimals (none when floats are not allowed).
    std::string stringFromNumber(double number) const;
    // The number the text spells, within the limits; nullopt for text that is no number or lies outside.
    std::optional<double> numberFromString(const std::string& text) const;
    // The number brought within the minimum and maximum.
    double clamp(double number) const;

private:
    std::optional<double> minimum_;
    std::optional<double> maximum_;
    bool allowsFloats_ = true;
    int maximumFractionDigits_ = 3;
    int minimumFractionDigits_ = 0;
};

}  // namespace ui
