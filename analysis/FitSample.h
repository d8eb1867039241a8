#pragma once
#include <vector>

class CDataTable;

// The points of a fit: x, y and the standard deviation of y, each 1-based (element 0 unused),
// the form in which the fitting routines read them, and the points the curve is held through.
struct FitSample {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> s;
    // Numbers (1-based, ascending) of the points whose deviation is missing and whose y is 0
    // (IsHeldPoint): the fits make their curve pass through these instead of weighting them.
    std::vector<int> held;

    int Count() const { return x.empty() ? 0 : int(x.size()) - 1; }
    // n points, every value 0, none held.
    void Resize(int n);
};

// Largest deviation that counts as missing: a table without deviations (or with zeros) weights
// each point by a deviation of 5 % of its y value instead.
constexpr double kMissingDeviation = 1e-30;
constexpr double kDefaultRelativeDeviation = 0.05;

// 13 "Bad argument" when an x, y or deviation is NaN or infinite, else 0.
int CheckSampleFinite(const FitSample& sample);

// True for a point whose deviation s is missing (below kMissingDeviation) and whose 5 % of y is
// too, as at y = 0: its weight would be infinite, so a fit holds its curve through the point.
bool IsHeldPoint(double y, double s);

// Each deviation below kMissingDeviation (zero and negative ones too) becomes 5 % of its y, and
// one whose magnitude is then still below kMissingDeviation becomes kMissingDeviation, so every
// weight 1/s^2 is finite; those points are listed as held.
void ApplyDefaultDeviations(FitSample& sample);

// The points that are not held, none of them held.
FitSample PointsNotHeld(const FitSample& sample);

// True for the table layouts a fit reads: x and y (1), or x, y and the deviation of y (2).
bool IsFitLayout(int layout);

// Fewest points a fit of a table accepts.
constexpr int kMinimumFitPoints = 3;

// The points of a table (TablePointRows): columns 1 and 2, and column 3 in layout 2 (zeros in
// layout 1 and for an empty deviation), with the default deviations applied. 15 "Invalid data"
// without a table or for another layout, 52 under kMinimumFitPoints points, 13 for a value
// that is not finite, 33 without memory.
int ReadFitSample(const CDataTable* table, FitSample& sample);
