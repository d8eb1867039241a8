#pragma once
// Judges what the roads list against the corpus: every listed point must be a true root (within
// max(tolerance, 4 doubles, the equation's noise), or where the equation is 0 throughout), and
// every root the corpus requires must be found.
#include "tools/root-truth/RootTruthCorpus.h"

#include <functional>
#include <string>
#include <vector>

// One run of a case: a road at one setting (and for FZERO one bracket).
struct TruthRun {
    const TruthCase* c = nullptr;
    TruthRoad road = TruthRoad::Model;
    int decimals = 5, steps = 200;
    int root = -1, bracket = -1; // FZERO's bracket: around that root, or the case's bracket
    int setting = 0;             // index into a root's mask

    // "case M 5/200", "case F 5/r1" (root 1's bracket) or "case F 5/b1".
    std::string Key() const;
};

// What one run listed and how it is judged.
struct TruthVerdict {
    TruthRun run;
    int code = 0;
    std::vector<double> listed, nonRoots;
    std::vector<int> found, missing; // roots found; required roots not found
    int roots = 0, required = 0;     // the roots this run is judged on, and those it must find
    bool failed = false;             // an error, or a solve that moved its variable
    bool nothingOnZero = false;      // 0 on a whole interval, and nothing listed
    double seconds = 0;              // how long the run took
    bool Fault() const { return !nonRoots.empty() || !missing.empty() || failed || nothingOnZero; }
    // "key code=.. listed=.. roots=.. required=.. found=.. missing=.. nonroots=..", for
    // comparisons.
    std::string Line() const;
};

// The runs of the cases; a slice keeps one scan setting in every few (always the same ones).
std::vector<TruthRun> TruthRuns(const std::vector<TruthCase>& cases, bool slice);
// The node evaluations the scan of a case that goes on for long (cut) may charge: about a
// twentieth of a second natively, where the roots it is judged on take the first milliseconds.
constexpr long long kCutWork = 1LL << 20;
// Runs one through the program's code, each command given seconds, and the scan of a cut case
// kCutWork besides, so that the machine's load decides nothing; judges it.
TruthVerdict JudgeRun(const TruthRun& run, double seconds);
