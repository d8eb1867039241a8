// Analysis commands at the largest sizes the program takes: the eigen-decomposition of a
// 1000 x 1000 symmetric matrix with each kernel (random entries, and the Hilbert-type matrix that
// takes the most rotations), Kendall's tau of two lists of 1,000,000 values, and a fill of a
// 1,000,000-row column whose every row sums 1000 terms (one command, one budget in time: it ends
// with its code within the budget). Prints the median of three runs beside each target.
#include "analysis/DataColumn.h"
#include "analysis/MatrixObject.h"
#include "bench/PlainTiming.h"
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "numeric/LinearAlgebra.h"
#include "numeric/TwoSampleTests.h"
#include "tests/support/TestRandom.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 3;

// Eigenvalues and then eigenvectors of one 1000 x 1000 symmetric matrix, element (i, j) for
// i <= j from entry(i, j), with the 4-lane kernels and with the 2-lane ones every processor has
// (the same bits, so the same rotations).
template <class Entry> void Eigen(const char* kind, Entry entry)
{
    const int n = 1000;
    CMatrixObject matrix;
    matrix.Resize(n, n, FALSE);
    for (int i = 1; i <= n; ++i)
        for (int j = i; j <= n; ++j) {
            const double v = entry(i, j);
            matrix.SetAt(i, j, v);
            matrix.SetAt(j, i, v);
        }
    int code = 0;
    const struct {
        const char* name;
        JacobiKernels kernels;
    } lanes[] = {{"4 lanes", JacobiKernels::Quad}, {"2 lanes", JacobiKernels::Pair}};
    for (const auto& kernels : lanes) {
        if (!ForceJacobiKernels(kernels.kernels)) {
            std::printf("eigen-decomposition %s: not on this processor\n", kernels.name);
            continue;
        }
        const std::string values = std::string("eigenvalues ") + kind + ", " + kernels.name;
        PrintAgainstTarget(values.c_str(),
                           MedianMs(kRuns,
                                    [&] {
                                        CDataColumn column;
                                        code |= matrix.Eigen(column, nullptr);
                                    }),
                           5000);
        const std::string vectors = std::string("eigenvectors ") + kind + ", " + kernels.name;
        PrintAgainstTarget(vectors.c_str(),
                           MedianMs(kRuns,
                                    [&] {
                                        CDataColumn column;
                                        CMatrixObject result;
                                        code |= matrix.Eigen(column, &result);
                                    }),
                           5000);
    }
    ForceJacobiKernels(JacobiKernels::Widest);
    if (code)
        std::printf("  the decomposition failed with %d\n", code);
}

void Kendall()
{
    const int n = 1000000;
    TestRandom random(2024);
    std::vector<double> x(std::size_t(n) + 1), y(std::size_t(n) + 1);
    for (int i = 1; i <= n; ++i) {
        x[std::size_t(i)] = random.Between(-1, 1);
        y[std::size_t(i)] = x[std::size_t(i)] + random.Between(-1, 1);
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
    std::printf("  it ended with code %d (%d: the command's budget in time was spent)\n", code,
                int(ErrMaxIterations));
}

} // namespace

int main()
{
    InitCalcEngine();
    UseDotSeparators();
    TestRandom random(2024);
    std::printf("1000 x 1000 symmetric matrices:\n");
    Eigen("random", [&](int, int) { return 10 * random.Between(-1, 1); });
    // The slowest kind measured: its tiny eigenvalues take the most rotations.
    Eigen("1/(i+j-1)", [](int i, int j) { return 1.0 / (i + j - 1); });
    Kendall();
    ColumnFill();
    return 0;
}
