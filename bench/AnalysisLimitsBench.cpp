// Analysis commands at the largest sizes the program takes: the eigen-decomposition of a
// 1000 x 1000 symmetric matrix, Kendall's tau of two lists of 1,000,000 values, and a fill of a
// 1,000,000-row column whose every row sums 1000 terms (one command, one budget in time: it ends
// with its code within the budget). Prints the median of three runs beside each target.
#include "analysis/DataColumn.h"
#include "analysis/MatrixObject.h"
#include "bench/PlainTiming.h"
#include "bench/RepeatableNoise.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "numeric/TwoSampleTests.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 3;

void Eigen()
{
    const int n = 1000;
    RepeatableNoise random(2024);
    CMatrixObject matrix;
    matrix.Resize(n, n, FALSE);
    for (int i = 1; i <= n; ++i)
        for (int j = i; j <= n; ++j) {
            const double v = 10 * random.Next();
            matrix.SetAt(i, j, v);
            matrix.SetAt(j, i, v);
        }
    int code = 0;
    PrintAgainstTarget("eigenvalues 1000 x 1000",
                       MedianMs(kRuns,
                                [&] {
                                    CDataColumn values;
                                    code |= matrix.Eigen(values, nullptr);
                                }),
                       5000);
    PrintAgainstTarget("eigenvectors 1000 x 1000",
                       MedianMs(kRuns,
                                [&] {
                                    CDataColumn values;
                                    CMatrixObject vectors;
                                    code |= matrix.Eigen(values, &vectors);
                                }),
                       5000);
    if (code)
        std::printf("  the decomposition failed with %d\n", code);
}

void Kendall()
{
    const int n = 1000000;
    RepeatableNoise random(2024);
    std::vector<double> x(std::size_t(n) + 1), y(std::size_t(n) + 1);
    for (int i = 1; i <= n; ++i) {
        x[std::size_t(i)] = random.Next();
        y[std::size_t(i)] = x[std::size_t(i)] + random.Next();
    }
    double tau = 0, z = 0, prob = 0;
    PrintAgainstTarget("Kendall's tau of 10^6 pairs",
                       MedianMs(kRuns, [&] { KendallTau(x.data(), y.data(), n, &tau, &z, &prob); }),
                       1000);
}

void ColumnFill()
{
    CDataColumn column;
    for (int i = 1; i <= 1000000; ++i)
        column.Append(i);
    CCalcEngine engine;
    engine.SetExpression("FSUM(x,1,1000)");
    engine.Parse();
    int code = 0;
    PrintAgainstTarget("fill 10^6 rows, FSUM(x,1,1000)",
                       MedianMs(kRuns, [&] { code = column.ApplyExpression(engine); }), 5000);
    std::printf("  it ended with code %d (35: the command's budget in time was spent)\n", code);
}

} // namespace

int main()
{
    InitCalcEngine();
    UseDotSeparators();
    Eigen();
    Kendall();
    ColumnFill();
    return 0;
}
