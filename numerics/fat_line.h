// A line with a band of signed distances [min, max] around it: the points whose line.distance() lies in
// the band. The tool of Bezier clipping.
#pragma once

#include "numerics/interval.h"
#include "numerics/line.h"

namespace kestrane {

struct FatLine {
    Line line;
    double min = 0;
    double max = 0;

    FatLine() = default;
    FatLine(const Line& line, double min, double max) : line(line), min(min), max(max) {}
    FatLine(const Line& line, const Interval& interval) : line(line), min(interval.min), max(interval.max) {}

    Interval interval() const { return {min, max}; }
    void setInterval(const Interval& interval)
    {
        min = interval.min;
        max = interval.max;
    }
    FatLine withLine(const Line& value) const { return {value, min, max}; }
    FatLine withMin(double value) const { return {line, value, max}; }
    FatLine withMax(double value) const { return {line, min, value}; }

    friend bool operator==(const FatLine&, const FatLine&) = default;
};

}  // namespace kestrane
