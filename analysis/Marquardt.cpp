#include "analysis/Marquardt.h"

#include "analysis/GaussJordan.h"
#include "engine/EngineErrors.h"
#include "numeric/LinearAlgebra.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

int NonFiniteCode(double v) { return std::isnan(v) ? ErrBadArgument : ErrResultTooLarge; }

// The fitted parameter numbers of fitted[1..m], in order.
int FittedCount(const int* fitted, int m)
{
    int count = 0;
    for (int j = 1; j <= m; ++j)
        if (fitted[j])
            ++count;
    return count;
}

} // namespace

int MarquardtCoefficients(IFitModel& model, const FitSample& data, const double* a,
                          const int* fitted, int m, double** alpha, double* beta, double& chisq)
{
    const int mfit = FittedCount(fitted, m);
    for (int j = 1; j <= mfit; ++j) {
        for (int k = 1; k <= j; ++k)
            alpha[j][k] = 0.0;
        beta[j] = 0.0;
    }
    chisq = 0.0;
    if (const int code = model.SetParameters(a))
        return code;
    std::vector<double> dyda(std::size_t(m) + 1, 0.0);
    for (int i = 1; i <= data.Count(); ++i) {
        double ymod = 0.0;
        if (const int code = model.Evaluate(data.x[std::size_t(i)], ymod, dyda.data()))
            return code;
        if (!std::isfinite(ymod))
            return NonFiniteCode(ymod);
        const double si = data.s[std::size_t(i)];
        const double w = 1.0 / (si * si);
        const double dy = data.y[std::size_t(i)] - ymod;
        int j = 0;
        for (int l = 1; l <= m; ++l) {
            if (!fitted[l])
                continue;
            const double dl = dyda[std::size_t(l)];
            if (!std::isfinite(dl))
                return NonFiniteCode(dl);
            const double wt = dl * w;
            ++j;
            int k = 0;
            for (int mm = 1; mm <= l; ++mm)
                if (fitted[mm])
                    alpha[j][++k] += wt * dyda[std::size_t(mm)];
            beta[j] += dy * wt;
        }
        chisq += dy * dy * w;
    }
    for (int j = 2; j <= mfit; ++j)
        for (int k = 1; k < j; ++k)
            alpha[k][j] = alpha[j][k];
    // Finite values and derivatives can still overflow once weighted and summed.
    if (!std::isfinite(chisq))
        return NonFiniteCode(chisq);
    for (int j = 1; j <= mfit; ++j) {
        if (!std::isfinite(beta[j]))
            return NonFiniteCode(beta[j]);
        for (int k = 1; k <= j; ++k)
            if (!std::isfinite(alpha[j][k]))
                return NonFiniteCode(alpha[j][k]);
    }
    return 0;
}

int MarquardtStep::Fail(int code)
{
    m_started = false;
    m_trial.clear();
    m_gradient.clear();
    m_step.clear();
    m_oneColumn.Resize(0, 0);
    return code;
}

int MarquardtStep::Start(IFitModel& model, const FitSample& data, const double* a,
                         const int* fitted, int m, double** alpha, double& chisq)
{
    m_fittedCount = FittedCount(fitted, m);
    try {
        m_trial.assign(a, a + m + 1);
        m_gradient.assign(std::size_t(m) + 1, 0.0);
        m_step.assign(std::size_t(m) + 1, 0.0);
        m_oneColumn.Resize(m_fittedCount, 1);
    } catch (const std::bad_alloc&) {
        return Fail(ErrOutOfMemory);
    }
    m_started = true;
    if (const int code =
            MarquardtCoefficients(model, data, a, fitted, m, alpha, m_gradient.data(), chisq))
        return Fail(code);
    m_previousChiSquare = chisq;
    return 0;
}

int MarquardtStep::operator()(IFitModel& model, const FitSample& data, double* a, const int* fitted,
                              int m, double** covar, double** alpha, double& chisq, double& lambda)
{
    if (lambda < 0.0) {
        if (const int code = Start(model, data, a, fitted, m, alpha, chisq))
            return code;
        lambda = 0.001;
        m_exhausted = false;
    } else if (!m_started) {
        return ErrInvalidData;
    }
    const int mfit = m_fittedCount;
    for (int j = 1; j <= mfit; ++j) {
        for (int k = 1; k <= mfit; ++k)
            covar[j][k] = alpha[j][k];
        covar[j][j] = alpha[j][j] * (1.0 + lambda);
        m_oneColumn[j][1] = m_gradient[std::size_t(j)];
    }
    if (const int code = SolveNormalEquations(covar, mfit, m_oneColumn.Rows(), 1))
        return Fail(code);
    for (int j = 1; j <= mfit; ++j)
        m_step[std::size_t(j)] = m_oneColumn[j][1];
    if (lambda == 0.0) {
        ExpandCovariance(covar, m, fitted, mfit);
        return Fail(0);
    }

    for (int l = 1, j = 0; l <= m; ++l)
        if (fitted[l])
            m_trial[std::size_t(l)] = a[l] + m_step[std::size_t(++j)];
    // Trial values where the model fails or overflows are a step too long, like a worse one.
    const int trial =
        MarquardtCoefficients(model, data, m_trial.data(), fitted, m, covar, m_step.data(), chisq);
    if (trial == 0 && chisq < m_previousChiSquare) {
        lambda *= 0.1;
        m_previousChiSquare = chisq;
        for (int j = 1; j <= mfit; ++j) {
            for (int k = 1; k <= mfit; ++k)
                alpha[j][k] = covar[j][k];
            m_gradient[std::size_t(j)] = m_step[std::size_t(j)];
        }
        for (int l = 1; l <= m; ++l)
            a[l] = m_trial[std::size_t(l)];
    } else {
        m_exhausted = lambda >= kMaxLambda;
        lambda = std::min(lambda * 10.0, kMaxLambda);
        chisq = m_previousChiSquare;
    }
    return 0;
}

int MarquardtStep::IsSettled(double** alpha, const double* a, const int* fitted, int m,
                             double dataChiSquare, bool& settled)
{
    settled = false;
    if (!m_started)
        return ErrInvalidData;
    const int mfit = m_fittedCount;
    OneBasedMatrix inverse(mfit, mfit);
    for (int j = 1; j <= mfit; ++j) {
        for (int k = 1; k <= mfit; ++k)
            inverse[j][k] = alpha[j][k];
        m_oneColumn[j][1] = m_gradient[std::size_t(j)];
    }
    if (const int code = SolveNormalEquations(inverse.Rows(), mfit, m_oneColumn.Rows(), 1))
        return code;
    settled = true;
    for (int l = 1, j = 0; l <= m; ++l) {
        if (!fitted[l])
            continue;
        ++j;
        const double scale = kSettledFraction * std::fabs(a[l]) +
                             kSettledDataFraction * std::sqrt(inverse[j][j] * dataChiSquare);
        if (!(std::fabs(m_oneColumn[j][1]) <= scale))
            settled = false;
    }
    return 0;
}

namespace {

// Chi-square of the model y = 0: the size of the data in the fit's own weights.
double DataChiSquare(const FitSample& data)
{
    double sum = 0.0;
    for (int i = 1; i <= data.Count(); ++i) {
        const double r = data.y[std::size_t(i)] / data.s[std::size_t(i)];
        sum += r * r;
    }
    return std::isfinite(sum) ? sum : 0.0;
}

} // namespace

int MarquardtFit(IFitModel& model, const FitSample& data, double* a, const int* fitted, int m,
                 int maxIterations, OneBasedMatrix& covar, OneBasedMatrix& alpha,
                 MarquardtOutcome& outcome)
{
    MarquardtStep step;
    double lambda = -1.0;
    double& chisq = outcome.chiSquare;
    const double dataChiSquare = DataChiSquare(data);
    auto run = [&] {
        return step(model, data, a, fitted, m, covar.Rows(), alpha.Rows(), chisq, lambda);
    };
    if (const int code = run())
        return code;
    double noted = chisq;
    if (const int code = run())
        return code;
    int k = 1;
    int stalled = 0;
    bool converged = false;
    for (;;) {
        const double fall = noted - chisq;
        const bool stall =
            !(fall > kStallChiSquareFraction * chisq + kStallDataFraction * dataChiSquare);
        stalled = stall ? stalled + 1 : 0;
        ++k;
        if (k >= maxIterations)
            break;
        // Stuck: ten steps without a fall, or none even at the largest damping.
        if (stalled >= kStallCount || step.Exhausted()) {
            if (const int code =
                    step.IsSettled(alpha.Rows(), a, fitted, m, dataChiSquare, converged)) {
                outcome.iterations = k;
                return code;
            }
            outcome.stalled = !converged;
            break;
        }
        noted = chisq;
        if (const int code = run())
            return code;
    }
    outcome.iterations = k;
    if (!converged)
        return ErrMaxIterations;
    lambda = 0.0;
    return run();
}
