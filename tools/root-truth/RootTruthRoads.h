#pragma once
// The three roads a user takes to the roots of an equation, through the very code they reach:
// a solver model solved as its Calculate command does, Find Zeros of a graph as the graph
// analysis runs it, and FZERO evaluated as a workspace line. The comparison of two commits
// compiles this file against each commit's code.
#include <string>
#include <vector>

struct RoadResult {
    int code = 0;               // the engine's code of the command (0: it answered)
    bool failed = false;        // an error other than finding nothing or running out of time
    std::vector<double> listed; // the roots the user reads, in the order shown
    bool keptVariable = true;   // a solve leaves its variable as it was before
    double shownWithin = 0;     // how far a listed value may lie from the one computed
};

// The program's separators, as a user of the '.' locale has them.
void PrepareRoads();
// The seconds one command may run (the program's own budget is 4) and, with work >= 0, the node
// evaluations it may charge in all, a budget that the machine's load does not move. Code compared
// that has no such budget is given a fifth of a second instead.
void SetCommandBudget(double seconds, long long work);
// The model "equation" with Min a, Max b, the decimals and steps given, solved for its variable;
// what its report lists, each solution once as the report shows it.
RoadResult SolveAsModel(const std::string& equation, double a, double b, int decimals, int steps);
// Find Zeros of y = expression over [a, b] at the decimals and steps of the chooser: the zeros
// the report lists, read from their text.
RoadResult FindZerosAsGraph(const std::string& expression, double a, double b, int decimals,
                            int steps);
// FZERO(expression, lo, hi) typed in the workspace, with the solver decimals of the settings.
RoadResult FzeroAsLine(const std::string& expression, double lo, double hi, int decimals);
