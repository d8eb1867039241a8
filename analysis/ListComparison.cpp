#include "analysis/ListComparison.h"

#include "engine/EngineErrors.h"
#include "numeric/TwoSampleTests.h"
#include "plot/AnalysisResult.h"

#include <cerrno>
#include <cmath>
#include <vector>

namespace {

// clang-format off
constexpr const char* kLabels[ListTestCount] = {
    "Chi Square = ",
    "F-Test = ",
    "Kendall's Tau = ",
    "KS = ",
    "Paired t-test = ",
    "Correlation Coefficient = ",
    "Rank Correlation = ",
    "Student's t-test = ",
    "Unequal t-test = ",
};
// clang-format on

// The statistic of a test; the routine's error code is left in errno.
double Statistic(int test, const double* a, int na, const double* b, int nb)
{
    double value = 0, prob = 0, extra = 0;
    switch (test) {
    case ListTestChiSquare:
        ChiSquareTest(a, b, na, 1, &extra, &value, &prob);
        break;
    case ListTestF:
        FTest(a, na, b, nb, &value, &prob);
        break;
    case ListTestKendallTau:
        KendallTau(a, b, na, &value, &extra, &prob);
        break;
    case ListTestKolmogorovSmirnov: {
        // The test sorts its samples; the lists stay as they are.
        std::vector<double> sa(a, a + na + 1), sb(b, b + nb + 1);
        KolmogorovSmirnovTest(sa.data(), na, sb.data(), nb, &value, &prob);
        break;
    }
    case ListTestPairedT:
        PairedTTest(a, b, na, &value, &prob);
        break;
    case ListTestCorrelation:
        PearsonCorrelation(a, b, na, &value, &prob, &extra);
        break;
    case ListTestRankCorrelation: {
        double zd = 0, probd = 0;
        SpearmanCorrelation(a, b, na, &extra, &zd, &probd, &value, &prob);
        break;
    }
    case ListTestStudentT:
        StudentTTest(a, na, b, nb, &value, &prob);
        break;
    case ListTestUnequalT:
        UnequalVarianceTTest(a, na, b, nb, &value, &prob);
        break;
    default:
        break;
    }
    return value;
}

} // namespace

const char* GetListTestLabel(int test)
{
    return test >= 0 && test < ListTestCount ? kLabels[test] : "";
}

bool IsPairedListTest(int test)
{
    return test == ListTestChiSquare || test == ListTestKendallTau || test == ListTestPairedT ||
           test == ListTestCorrelation || test == ListTestRankCorrelation;
}

bool RunListTest(int test, const double* a, int na, const double* b, int nb, double& value,
                 CString& message)
{
    if (IsPairedListTest(test) && na != nb) {
        message = kListsDifferInLength;
        return false;
    }
    const int saved = errno;
    errno = 0;
    value = Statistic(test, a, na, b, nb);
    const bool refused = errno != 0;
    errno = saved;
    if (refused || !std::isfinite(value)) {
        message = kNotDefinedForTheseData;
        return false;
    }
    return true;
}

int AddListComparison(CAnalysisResult& result, const CString& name1, const double* a, int na,
                      const CString& name2, const double* b, int nb, const int* ticked)
{
    if (na < 2 || nb < 2)
        return ErrTooFewDataPoints;
    result.SetText("' Comparing two lists");
    result.AddText("List 1 : ", name1, 1);
    result.AddText("List 2 : ", name2, 1);
    for (int test = 0; test < ListTestCount; ++test) {
        if (!ticked[test])
            continue;
        double value = 0;
        CString message;
        if (RunListTest(test, a, na, b, nb, value, message))
            result.AddNumber(kLabels[test], value, 1);
        else
            result.AddText(kLabels[test], message, 1);
    }
    return 0;
}
