// The defaults of every fuzzy comparison and iteration limit of the numerics.
#pragma once

namespace kestrane {

// Decimal places of every isSimilarTo.
inline constexpr int SimilarityPlaces = 6;
// Absolute tolerance of every overlap test.
inline constexpr double OverlapTolerance = 5e-06;
// Iteration limit of the root finders.
inline constexpr int SolverMaxIterations = 100;

}  // namespace kestrane
