#include "analysis/HeldMarquardt.h"

#include "analysis/GaussJordan.h"
#include "engine/EngineErrors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Newton steps that may put a set of values on the curves through the held points.
constexpr int kMaxProjectionSteps = 50;
// A value this small against the size of the terms is rounding: Newton's method stops there.
constexpr double kHeldRounding = 1e-15;
// The shortest part of a Newton step tried before the step counts as failed.
constexpr double kSmallestNewtonStep = 1.0 / 1024;
// Sets of parameters tried as the ones the held points solve: some put the curve through them
// only where other parameters vanish, or not at all from the start values.
constexpr std::size_t kMaxSolvedChoices = 64;

// The held points' state at the current values: their equations and how far off they are.
struct HeldState {
    OneBasedMatrix derivatives;
    std::vector<double> residual;
    double worst = 0.0;
};

// The model seen through its free parameters: each set of free values is completed by the
// solved parameters that put the curve through the held points, and the derivatives by a free
// parameter include what it moves through the solved ones.
class HeldCurveModel : public IFitModel {
public:
    HeldCurveModel(IFitModel& model, const FitSample& data, const int* fitted, int m);

    // The held points' equations at a[1..m]: how many parameters they fix and the fitted
    // positions (1-based in fitted order) best solved from them. 0 or the model's code at a.
    int Examine(const double* a, HeldPointsOutcome& held, std::vector<int>& preferred);
    // Solves the given fitted positions from the held points, starting from a: 0, or the code
    // with which Newton's method found no curve through them.
    int Start(const double* a, const std::vector<int>& solved);
    // Whether the other points determine the free parameters at the values reached.
    bool Determined(const FitSample& others);
    int FreeCount() const { return int(m_freeParameters.size()); }
    double FreeValue(int f) const { return m_values[std::size_t(m_freeParameters[f - 1])]; }
    // Every parameter, solved ones completed for the last free values set.
    const std::vector<double>& Values() const { return m_values; }
    // covar[1..m][1..m] of every parameter from the free ones' covariance.
    void Covariance(const OneBasedMatrix& freeCovariance, double** covar) const;

    // The free values z[1..FreeCount()]: 0, or ErrNoSolutions when no curve through the held
    // points is found from them.
    int SetParameters(const double* z) override;
    int Evaluate(double x, double& y, double* dydz) override;

private:
    // The held points' residuals at the current values, their derivatives by the fitted
    // parameters, and the largest residual against the size of its terms.
    int HeldResiduals(HeldState& state);
    // Newton's method on the solved parameters, the free ones kept.
    int Project();
    // The held points' equations for the Newton step of the solved parameters.
    HeldEquations Linearised(const HeldState& state) const;

    IFitModel& m_model;
    std::vector<double> m_heldX;
    std::vector<double> m_heldY;
    std::vector<int> m_index;          // fitted parameter numbers
    std::vector<int> m_solved;         // positions in m_index that the held points solve
    std::vector<int> m_freeParameters; // numbers of the fitted parameters left free
    std::vector<double> m_values;      // a[0..m]
    std::vector<double> m_dyda;
    OneBasedMatrix m_dependence; // each fitted parameter by the free ones
    double m_dataSize = 0.0;     // the largest |y|: a curve nearer 0 than its rounding is at 0
};

HeldCurveModel::HeldCurveModel(IFitModel& model, const FitSample& data, const int* fitted, int m)
    : m_model(model), m_dyda(std::size_t(m) + 1, 0.0)
{
    for (const int i : data.held) {
        m_heldX.push_back(data.x[std::size_t(i)]);
        m_heldY.push_back(data.y[std::size_t(i)]);
    }
    for (int j = 1; j <= m; ++j)
        if (fitted[j])
            m_index.push_back(j);
    for (int i = 1; i <= data.Count(); ++i)
        m_dataSize = std::max(m_dataSize, std::fabs(data.y[std::size_t(i)]));
}

int HeldCurveModel::HeldResiduals(HeldState& state)
{
    const int h = int(m_heldX.size());
    state.derivatives.Resize(h, int(m_index.size()));
    state.residual.assign(std::size_t(h) + 1, 0.0);
    state.worst = 0.0;
    if (const int code = m_model.SetParameters(m_values.data()))
        return code;
    for (int i = 1; i <= h; ++i) {
        double y = 0.0;
        if (const int code = m_model.Evaluate(m_heldX[std::size_t(i - 1)], y, m_dyda.data()))
            return code;
        double size = m_dataSize;
        for (std::size_t j = 1; j < m_values.size(); ++j)
            size += std::fabs(m_dyda[j] * m_values[j]);
        const double r = y - m_heldY[std::size_t(i - 1)];
        if (!std::isfinite(r) || !std::isfinite(size))
            return std::isnan(r) || std::isnan(size) ? ErrBadArgument : ErrResultTooLarge;
        state.residual[std::size_t(i)] = r;
        for (std::size_t k = 1; k <= m_index.size(); ++k)
            state.derivatives[i][int(k)] = m_dyda[std::size_t(m_index[k - 1])];
        if (r != 0.0)
            state.worst =
                std::max(state.worst, size > 0.0 ? std::fabs(r) / size
                                                 : std::numeric_limits<double>::infinity());
    }
    return 0;
}

int HeldCurveModel::Project()
{
    HeldState state;
    if (const int code = HeldResiduals(state))
        return code;
    for (int step = 0; step <= kMaxProjectionSteps; ++step) {
        const HeldEquations newton = Linearised(state);
        if (newton.Rank() < int(m_solved.size()))
            return ErrNoSolutions;
        if (state.worst <= kHeldRounding) {
            m_dependence = newton.Dependence();
            return 0;
        }
        // The Newton step, halved until it brings the curve closer to the points.
        const std::vector<double> base = m_values;
        HeldState next;
        bool closer = false;
        for (double t = 1.0; !closer && t >= kSmallestNewtonStep; t *= 0.5) {
            for (int k = 1; k <= newton.Rank(); ++k) {
                const std::size_t j =
                    std::size_t(m_index[std::size_t(newton.Pivots()[std::size_t(k - 1)] - 1)]);
                m_values[j] = base[j] + t * newton.Constant(k);
            }
            closer = HeldResiduals(next) == 0 && next.worst < state.worst;
        }
        if (closer && (next.worst <= 0.5 * state.worst || state.worst > kHeldTolerance)) {
            state = std::move(next);
            continue;
        }
        // Close, and no longer closing in: rounding has the last word.
        if (state.worst > kHeldTolerance)
            return ErrNoSolutions;
        if (closer) {
            state = std::move(next);
        } else {
            m_values = base;
            if (const int code = HeldResiduals(state))
                return code;
        }
        const HeldEquations last = Linearised(state);
        if (last.Rank() < int(m_solved.size()))
            return ErrNoSolutions;
        m_dependence = last.Dependence();
        return 0;
    }
    return ErrNoSolutions;
}

HeldEquations HeldCurveModel::Linearised(const HeldState& state) const
{
    std::vector<double> target = state.residual;
    for (double& r : target)
        r = -r;
    return HeldEquations(state.derivatives, target, m_solved);
}

int HeldCurveModel::Examine(const double* a, HeldPointsOutcome& held, std::vector<int>& preferred)
{
    m_values.assign(a, a + m_dyda.size());
    m_solved.clear();
    held.points = int(m_heldX.size());
    HeldState state;
    if (const int code = HeldResiduals(state))
        return code;
    const HeldEquations equations = Linearised(state);
    held.fixed = equations.Rank();
    preferred = equations.Pivots();
    return 0;
}

int HeldCurveModel::Start(const double* a, const std::vector<int>& solved)
{
    m_values.assign(a, a + m_dyda.size());
    m_solved = solved;
    m_freeParameters.clear();
    for (std::size_t k = 1; k <= m_index.size(); ++k)
        if (std::find(solved.begin(), solved.end(), int(k)) == solved.end())
            m_freeParameters.push_back(m_index[k - 1]);
    return Project();
}

bool HeldCurveModel::Determined(const FitSample& others)
{
    const int nfree = FreeCount();
    std::vector<double> z(std::size_t(nfree) + 1, 0.0), beta(std::size_t(nfree) + 1, 0.0);
    for (int f = 1; f <= nfree; ++f)
        z[std::size_t(f)] = FreeValue(f);
    const std::vector<int> all(std::size_t(nfree) + 1, 1);
    OneBasedMatrix alpha(nfree, nfree), rhs(nfree, 1);
    double chisq = 0.0;
    return MarquardtCoefficients(*this, others, z.data(), all.data(), nfree, alpha.Rows(),
                                 beta.data(), chisq) == 0 &&
           SolveNormalEquations(alpha.Rows(), nfree, rhs.Rows(), 1) == 0;
}

// The sets of `size` positions among 1..count that the held points may solve: the preferred
// set first, then the others in order, at most kMaxSolvedChoices in all.
std::vector<std::vector<int>> SolvedChoices(std::vector<int> preferred, int count)
{
    std::sort(preferred.begin(), preferred.end());
    std::vector<std::vector<int>> choices{preferred};
    std::vector<int> mask(std::size_t(count), 0);
    std::fill(mask.begin(), mask.begin() + std::ptrdiff_t(preferred.size()), 1);
    do {
        std::vector<int> set;
        for (int k = 1; k <= count; ++k)
            if (mask[std::size_t(k - 1)])
                set.push_back(k);
        if (set != preferred)
            choices.push_back(set);
    } while (choices.size() < kMaxSolvedChoices && std::prev_permutation(mask.begin(), mask.end()));
    return choices;
}

int HeldCurveModel::SetParameters(const double* z)
{
    for (std::size_t f = 0; f < m_freeParameters.size(); ++f)
        m_values[std::size_t(m_freeParameters[f])] = z[f + 1];
    return Project();
}

int HeldCurveModel::Evaluate(double x, double& y, double* dydz)
{
    if (const int code = m_model.Evaluate(x, y, m_dyda.data()))
        return code;
    for (int f = 1; f <= FreeCount(); ++f) {
        double sum = 0.0;
        for (std::size_t k = 1; k <= m_index.size(); ++k)
            if (const double d = m_dependence[int(k)][f]; d != 0.0)
                sum += m_dyda[std::size_t(m_index[k - 1])] * d;
        dydz[f] = sum;
    }
    return 0;
}

void HeldCurveModel::Covariance(const OneBasedMatrix& freeCovariance, double** covar) const
{
    SpreadHeldCovariance(m_dependence, freeCovariance, m_index, int(m_values.size()) - 1, covar);
}

// Starts the curve from a with the first set of solved parameters that leaves the free ones
// determined by the other points, else with the first that puts the curve through the held
// points (the fit then finds the free ones singular): 0, or ErrNoSolutions when none does.
int ChooseSolved(HeldCurveModel& curve, const double* a, const std::vector<int>& preferred,
                 int mfit, const FitSample& others)
{
    const std::vector<int>* fallback = nullptr;
    const std::vector<std::vector<int>> choices = SolvedChoices(preferred, mfit);
    for (const std::vector<int>& solved : choices) {
        if (curve.Start(a, solved) != 0)
            continue;
        if (curve.Determined(others))
            return 0;
        if (!fallback)
            fallback = &solved;
    }
    return fallback ? curve.Start(a, *fallback) : ErrNoSolutions;
}

} // namespace

int HeldMarquardtFit(IFitModel& model, const FitSample& data, double* a, const int* fitted, int m,
                     int maxIterations, OneBasedMatrix& covar, MarquardtOutcome& outcome,
                     HeldPointsOutcome& held)
{
    held = HeldPointsOutcome{};
    HeldCurveModel curve(model, data, fitted, m);
    std::vector<int> preferred;
    if (const int code = curve.Examine(a, held, preferred))
        return code;
    const FitSample others = PointsNotHeld(data);
    const int mfit = int(std::count_if(fitted + 1, fitted + m + 1, [](int f) { return f != 0; }));
    // Points that fix every parameter may still admit no curve at all: that is said first.
    if (held.fixed == mfit)
        return held.failure = curve.Start(a, preferred) != 0 ? ErrNoSolutions : ErrTooFewParameters;
    const int nfree = mfit - held.fixed;
    if (others.Count() < nfree)
        return ErrTooFewDataPoints;
    if (const int code = ChooseSolved(curve, a, preferred, mfit, others))
        return held.failure = code;
    std::vector<double> z(std::size_t(nfree) + 1, 0.0);
    for (int f = 1; f <= nfree; ++f)
        z[std::size_t(f)] = curve.FreeValue(f);
    const std::vector<int> all(std::size_t(nfree) + 1, 1);
    OneBasedMatrix freeCovariance(nfree, nfree), alpha(nfree, nfree);
    const int code = MarquardtFit(curve, others, z.data(), all.data(), nfree, maxIterations,
                                  freeCovariance, alpha, outcome);
    // The values reached, completed by their curve through the held points.
    if (curve.SetParameters(z.data()) == 0)
        std::copy(curve.Values().begin() + 1, curve.Values().end(), a + 1);
    if (code == 0)
        curve.Covariance(freeCovariance, covar.Rows());
    return code;
}
