#pragma once
// The truth corpus of the root finders as tools/root-truth/generate writes it: cases, their true
// roots, and which roots each road must find at each setting.
#include <string>
#include <utility>
#include <vector>

// The settings every case is judged at: decimals by steps for the scans, decimals for FZERO.
constexpr int kTruthDecimals[] = {2, 5, 8, 10, 12, 15};
constexpr int kTruthSteps[] = {200, 1000, 10000};
constexpr int kTruthScanSettings = 18;

// The roads to a root: a solver model, Find Zeros of a graph, FZERO on a bracket.
enum class TruthRoad { Model, Zeros, Fzero };
constexpr TruthRoad kTruthRoads[] = {TruthRoad::Model, TruthRoad::Zeros, TruthRoad::Fzero};
char RoadLetter(TruthRoad road);

struct TruthRoot {
    long double value = 0;
    double noise = 0;    // how far the equation's rounding noise can move it
    std::string mask[3]; // by road: '1' must be found, '-' not run, a letter: need not, and why
    bool bracketed = false;
    double lo = 0, hi = 0; // FZERO's bracket
};

struct TruthCase {
    std::string name, cls, equation, roads;
    double a = 0, b = 0;
    bool zero = false; // 0 throughout [zeroLo, zeroHi]
    double zeroLo = 0, zeroHi = 0;
    long double period = 0; // the roots repeat: offsets + k period
    std::vector<long double> offsets;
    bool cut = false; // the scan runs out of time
    std::vector<TruthRoot> roots;
    std::vector<std::pair<double, double>> brackets; // FZERO brackets holding no root

    bool Runs(TruthRoad road) const;
    // lhs-(rhs), as the program makes of the equation.
    std::string Expression() const;
};

// Reads every *.txt of folder in name order; the class of a case is its file's name. Empty,
// with error set to the file and line, when a file cannot be read.
std::vector<TruthCase> ReadTruthCorpus(const std::string& folder, std::string& error);
