#pragma once
#include "framework/core/CString.h"

class CAnalysisResult;
class CCalcEngine;
class CFunctionPlot;

// The calculus commands of the function plot without windows: the operation of each command
// on the engine and its report, and the graph analysis report.

// "[a, b]" with %g.
CString FormatInterval(double a, double b);

// What the chooser gave a calculus command: its kind (AnalysisKind), the curves (the x-axis
// already as "0"), the interval, or the point in a.
struct GraphAnalysisChoice {
    int kind = 0;
    CString first, second;
    double a = 0, b = 0;
};
// Runs the command's operation on the engine within one command's time and fills the report
// (title, then the indented items). Returns 0, or the engine's code when the command reports
// none: zeros and extrema that the scan does not find are "None", not a failure, and a scan cut
// short by its time lists what it found and says so.
int RunGraphAnalysis(CCalcEngine& engine, const GraphAnalysisChoice& choice,
                     CAnalysisResult& report);
// The graph analysis report of a y = f(x) graph over its domain: its equation and interval,
// then zeros (mask bit 0x10) and extrema (0x20), both searched within one command's time.
// 0, or the engine's code (no report).
int BuildGraphAnalysis(CCalcEngine& engine, const CFunctionPlot& graph, int mask,
                       CAnalysisResult& report);
// The sections of the graph analysis report.
constexpr int kGraphAnalysisZeros = 0x10;
constexpr int kGraphAnalysisExtrema = 0x20;
constexpr int kDefaultAnalysisOptions = 0x30;
