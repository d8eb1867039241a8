#pragma once
// The checks and rules of the data dialogs and the results, without a window: values in,
// a verdict (the message and the field to focus) out.
#include "framework/core/CString.h"

class CCalcEngine;

// A refused dialog field: the message to show and the control to focus; empty when accepted.
struct DialogVerdict {
    CString strMessage;
    UINT nControl = 0;
    BOOL IsAccepted() const { return strMessage.IsEmpty(); }
};

// The most elements a matrix may hold, and what the user reads past it.
constexpr long long kMaxMatrixElements = 1000000;
extern const char kMatrixTooLargeText[];

// The add and resize matrix dialog: a name (unless resizing), rows and columns above 0 and at
// most kMaxMatrixElements elements.
DialogVerdict CheckMatrixFields(const CString& name, int rows, int columns, BOOL bNeedName,
                                UINT nNameControl, UINT nRowsControl);
// The fill and transform dialogs: the expression must parse in the engine (transform also
// refuses an empty text).
DialogVerdict CheckDataExpression(CCalcEngine& engine, const CString& expression, BOOL bRefuseEmpty,
                                  UINT nControl);
// The nonlinear fit's iteration limit on the data analysis page.
constexpr int kMaxIterationLimit = 10000;
DialogVerdict CheckIterationLimit(int iterations, UINT nControl);

// What the data analysis page edits: the statistics lines of a report, whether entered data
// is plotted at once, whether the nonlinear fit asks for initial values, and its iterations.
struct DataAnalysisOptions {
    int nStatisticsMask = 2000;
    int nAutoPlot = 1;
    int nPrompt = 0;
    int nMaxIterations = 100;
};

// The nine statistics boxes of the data analysis page, in the order of their mask bits 1, 2,
// 4, ... 256: number of points, minimum, maximum, mean, standard deviation, average deviation,
// skewness, kurtosis, variance.
constexpr int kStatisticsBoxCount = 9;
// The boxes a mask ticks, and the mask with its box bits set from the boxes; the bits no box
// shows (512 and 1024 of the default 2000) stay as they were.
void StatisticsBoxesFromMask(int mask, int boxes[kStatisticsBoxCount]);
int StatisticsMaskFromBoxes(const int boxes[kStatisticsBoxCount], int mask);

// Rows of the results grid: enough to fill the holder of that height with 25-pixel rows, and
// always the title, every item and two more.
int ResultsGridRowCount(int holderHeight, int itemCount);
