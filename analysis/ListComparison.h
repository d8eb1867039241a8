#pragma once
#include "framework/core/CString.h"

class CAnalysisResult;

// The statistical tests of the two-list comparison, in the order their lines are reported.
enum ListTest : int {
    ListTestChiSquare = 0,
    ListTestF = 1,
    ListTestKendallTau = 2,
    ListTestKolmogorovSmirnov = 3,
    ListTestPairedT = 4,
    ListTestCorrelation = 5,
    ListTestRankCorrelation = 6,
    ListTestStudentT = 7,
    ListTestUnequalT = 8,
    ListTestCount = 9,
};

// The report label of a test ("Chi Square = " ...).
const char* GetListTestLabel(int test);
// True for the tests that pair the i-th values of the two lists, so need lists of one length.
bool IsPairedListTest(int test);

// What a test reports in place of a statistic it cannot give.
constexpr const char* kNotDefinedForTheseData = "Not defined for these data";
constexpr const char* kListsDifferInLength = "Lists differ in length";

// The statistic of one test of a[1..na] against b[1..nb] (neither is changed): true with value,
// or false with message: kListsDifferInLength for a paired test of lists of unequal length,
// kNotDefinedForTheseData when the routine refuses the data or its statistic is not finite.
bool RunListTest(int test, const double* a, int na, const double* b, int nb, double& value,
                 CString& message);

// The comparison report: the text "' Comparing two lists", both names, then one line per ticked
// test (ticked[ListTestCount]): the statistic, or the message in its place. 52 "Too few data
// points", with nothing added, when a list holds fewer than two values.
int AddListComparison(CAnalysisResult& result, const CString& name1, const double* a, int na,
                      const CString& name2, const double* b, int nb, const int* ticked);
