#pragma once
#include <vector>

class CAnalysisResult;
class CSolverModel;

// The report of solving a model for variable k: the equation, the variable, the other
// variables' values, how many solutions were found and each of them.
void BuildSolverReport(const CSolverModel& model, int k, const std::vector<double>& solutions,
                       CAnalysisResult& report);
