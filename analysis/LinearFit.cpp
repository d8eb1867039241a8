#include "analysis/LinearFit.h"

#include "analysis/DataTable.h"
#include "analysis/FitReport.h"
#include "analysis/LinearLeastSquares.h"
#include "engine/EngineErrors.h"
#include "engine/PrintNumber.h"
#include "plot/AnalysisResult.h"

#include <cmath>

namespace {

double One(double) { return 1.0; }
double Identity(double x) { return x; }
double Square(double x) { return x * x; }
double Cube(double x) { return x * x * x; }
double Fourth(double x) { return (x * x) * (x * x); }
double Log(double x) { return std::log(x); }
double Exp(double x) { return std::exp(x); }

struct LinearTerm {
    const char* name;
    CLinearFit::Function basis;
    CLinearFit::Function backTransform;
};

struct LinearModel {
    const char* name;
    const char* equation;
    const char* templateText;
    int termCount;
    LinearTerm terms[5];
    CLinearFit::Function xTransform;
    CLinearFit::Function yTransform;
};

// clang-format off
constexpr LinearModel kModels[CLinearFit::kModelCount] = {
    {"Straight line", "a+b*x", "[1]+[2]*x", 2,
     {{"a", One, nullptr}, {"b", Identity, nullptr}}, nullptr, nullptr},
    {"Logarithmic", "a+b*ln(x)", "[1]+[2]*ln(x)", 2,
     {{"a", One, nullptr}, {"b", Log, nullptr}}, nullptr, nullptr},
    {"Exponential", "a*b^x", "[1]*[2]^x", 2,
     {{"a", One, Exp}, {"b", Identity, Exp}}, nullptr, Log},
    {"Power", "a*x^b", "[1]*x^[2]", 2,
     {{"a", One, Exp}, {"b", Identity, nullptr}}, Log, Log},
    {"Quadratic", "a*x^2+b*x+c", "[1]*x^2+[2]*x+[3]", 3,
     {{"a", Square, nullptr}, {"b", Identity, nullptr}, {"c", One, nullptr}}, nullptr, nullptr},
    {"Cubic", "a*x^3+b*x^2+c*x+d", "[1]*x^3+[2]*x^2+[3]*x+[4]", 4,
     {{"a", Cube, nullptr}, {"b", Square, nullptr}, {"c", Identity, nullptr},
      {"d", One, nullptr}}, nullptr, nullptr},
    {"Quartic", "a*x^4+b*x^3+c*x^2+d*x+e", "[1]*x^4+[2]*x^3+[3]*x^2+[4]*x+[5]", 5,
     {{"a", Fourth, nullptr}, {"b", Cube, nullptr}, {"c", Square, nullptr},
      {"d", Identity, nullptr}, {"e", One, nullptr}}, nullptr, nullptr},
};
// clang-format on

} // namespace

CLinearFit::CLinearFit() { SetModel(0); }

void CLinearFit::SetModel(int index)
{
    m_XTransform = nullptr;
    m_YTransform = nullptr;
    if (index < 0 || index >= kModelCount)
        return;
    const LinearModel& model = kModels[index];
    m_nModel = index;
    m_strEquation = model.equation;
    m_strTemplate = model.templateText;
    m_XTransform = model.xTransform;
    m_YTransform = model.yTransform;
    SetParameterCount(model.termCount);
    for (int j = 1; j <= model.termCount; ++j) {
        const LinearTerm& term = model.terms[j - 1];
        SetParameter(j, term.name, term.basis, term.backTransform);
    }
}

CString CLinearFit::GetModelName(int index)
{
    return index >= 0 && index < kModelCount ? CString(kModels[index].name) : CString();
}

void CLinearFit::SetParameterCount(int count)
{
    const std::size_t size = std::size_t(count < 0 ? 0 : count) + 1;
    m_Basis.assign(size, nullptr);
    m_BackTransforms.assign(size, nullptr);
    m_Values.assign(size, 0.0);
    m_Fitted.assign(size, 1);
    m_Names.assign(size, CString());
    m_Covariance.Resize(int(size) - 1, int(size) - 1);
}

void CLinearFit::SetParameter(int j, const char* name, Function basis, Function backTransform)
{
    m_Names[std::size_t(j)] = name;
    m_Basis[std::size_t(j)] = basis;
    m_BackTransforms[std::size_t(j)] = backTransform;
    m_Values[std::size_t(j)] = 0.0;
    m_Fitted[std::size_t(j)] = 1;
}

int CLinearFit::FitPoints(const FitSample& sample)
{
    const int n = sample.Count();
    const int m = GetParameterCount();
    m_Held = HeldPointsOutcome{};
    m_LogDomain = LogDomain{};
    if (n < kMinimumFitPoints)
        return ErrTooFewDataPoints;
    if (const int code = CheckSampleFinite(sample))
        return code;
    // Logarithms of the data or of x must have a value at every point.
    m_LogDomain.bX = m_XTransform == &Log;
    for (int j = 1; j <= m; ++j)
        m_LogDomain.bX = m_LogDomain.bX || m_Basis[std::size_t(j)] == &Log;
    m_LogDomain.bY = m_YTransform == &Log;
    for (int i = 1; i <= n; ++i)
        if ((m_LogDomain.bX && !(sample.x[std::size_t(i)] > 0.0)) ||
            (m_LogDomain.bY && !(sample.y[std::size_t(i)] > 0.0)))
            m_LogDomain.points.push_back(i);
    if (!m_LogDomain.points.empty())
        return ErrBadArgument;

    // Only the logarithmic models fit transformed copies of the points.
    const bool transforms = m_XTransform || m_YTransform;
    FitSample transformed;
    if (transforms) {
        transformed = sample;
        for (int i = 1; i <= n; ++i) {
            if (m_XTransform)
                transformed.x[std::size_t(i)] = m_XTransform(sample.x[std::size_t(i)]);
            if (m_YTransform)
                transformed.y[std::size_t(i)] = m_YTransform(sample.y[std::size_t(i)]);
        }
    }
    std::vector<BasisFunction> basis(m_Basis.begin() + 1, m_Basis.end());
    if (const int code =
            LinearLeastSquares(transforms ? transformed : sample, m_Values.data(), m_Fitted.data(),
                               m, m_Covariance.Rows(), basis, &m_Held))
        return code;
    m_SolvedValues = m_Values;
    for (int j = 1; j <= m; ++j) {
        if (const Function back = m_BackTransforms[std::size_t(j)]) {
            const double value = back(m_Values[std::size_t(j)]);
            if (!std::isfinite(value))
                return ErrResultTooLarge;
            m_Values[std::size_t(j)] = value;
        }
    }
    m_nPoints = n;
    return 0;
}

int CLinearFit::Fit(CAnalysisResult* report)
{
    FitSample sample;
    if (const int code = ReadFitSample(m_pTable, sample))
        return code;
    if (const int code = FitPoints(sample))
        return code;
    if (report)
        FillReport(*report);
    return 0;
}

void CLinearFit::FillReport(CAnalysisResult& report) const
{
    const int m = GetParameterCount();
    report.SetTitle("Linear Fit of " + m_pTable->GetName());
    report.AddText("Fit to equation: ", m_strEquation, 0);
    AddWeightingItem(report, m_pTable);
    report.AddText("Result: ", CString(), 0);
    for (int j = 1; j <= m; ++j)
        report.AddNumber(m_Names[std::size_t(j)], m_Values[std::size_t(j)], 1);
    // A value turned back from a logarithm has the uncertainty of the logarithm, and its
    // interval is the logarithm's interval turned back.
    report.AddText("Uncertainties: ", CString(), 0);
    for (int j = 1; j <= m; ++j)
        report.AddNumber(IsBackTransformed(j) ? "ln " + m_Names[std::size_t(j)]
                                              : m_Names[std::size_t(j)],
                         std::sqrt(m_Covariance[j][j]), 1);
    report.AddText("95% Confidence Intervals:", CString(), 0);
    const double factor = ConfidenceFactor(m_nPoints - m_Held.points, m - m_Held.fixed);
    for (int j = 1; j <= m; ++j) {
        const double h = factor * std::sqrt(m_Covariance[j][j]);
        const double v = m_SolvedValues[std::size_t(j)];
        const Function back = m_BackTransforms[std::size_t(j)];
        const CString text = back ? IntervalText(report, back(v - h), back(v + h))
                                  : IntervalText(report, v - h, v + h);
        report.AddText(m_Names[std::size_t(j)], text, 1);
    }
}

CString CLinearFit::GetFailureText(int code) const
{
    if (code != ErrBadArgument || m_LogDomain.points.empty() || !m_pTable)
        return FitFailureText(code, m_Held, m_pTable);
    // The fit read the table's points in order.
    const std::vector<int> tableRows = TablePointRows(*m_pTable);
    std::vector<int> rows;
    for (const int k : m_LogDomain.points)
        if (k <= int(tableRows.size()))
            rows.push_back(tableRows[std::size_t(k - 1)]);
    CString model = GetModelName(m_nModel);
    model.MakeLower();
    const CString values = m_LogDomain.bX ? (m_LogDomain.bY ? "x and y" : "x") : "y";
    return LogarithmFailureText(model + " model " + m_strEquation, values, rows);
}

CString CLinearFit::GetEquationWithValues() const
{
    CString text = m_strTemplate;
    for (int j = 1; j <= GetParameterCount(); ++j) {
        CString marker;
        marker.Format("[%d]", j);
        text.Replace(marker, "(" + FormatSignificant15(m_Values[std::size_t(j)]) + ")");
    }
    return text;
}
