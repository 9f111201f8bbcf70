#pragma once
// How the pairwise tables judge a pair and round their cells.
namespace cpt {

inline constexpr double SignificanceLevel = 0.05;

// A P value of exactly 0.05 counts as significant.
inline bool isSignificant(double pValue) { return pValue <= SignificanceLevel; }

// v rounded to four decimals, halves to even.
double fourDecimalForm(double value);
// Four decimals within -10000..10000, a whole number beyond.
double boundedForm(double value);

}  // namespace cpt
