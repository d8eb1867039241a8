#include "analysis/NonlinearFit.h"

#include "analysis/DataTable.h"
#include "analysis/FitReport.h"
#include "analysis/HeldMarquardt.h"
#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "plot/AnalysisResult.h"

#include <cmath>

#include <vector>

namespace {

// The start value of an Auto parameter: distinct values, so that no two parameters start alike.
double AutoStartValue(int i) { return 1.5 + 0.32 * i; }

// Keeps the program-wide x, which evaluating the model at each point moves.
class IndependentXKeeper {
public:
    IndependentXKeeper() : m_saved(g_IndependentVariables[0].dValue) {}
    ~IndependentXKeeper() { g_IndependentVariables[0].dValue = m_saved; }
    IndependentXKeeper(const IndependentXKeeper&) = delete;
    IndependentXKeeper& operator=(const IndependentXKeeper&) = delete;

private:
    double m_saved;
};

// The report's word for an angle mode.
const char* AngleModeName(int mode)
{
    return mode == AngleDegrees ? "degrees" : mode == AngleRadians ? "radians" : "gradians";
}

bool IsNamed(const CString& name, const char* wanted) { return name.CompareNoCase(wanted) == 0; }

// Turns every variable node of a (copied) tree into the number values[index + 1].
void SubstituteVariables(CExprNode& root, const std::vector<double>& values)
{
    std::vector<CExprNode*> pending{&root};
    while (!pending.empty()) {
        CExprNode* node = pending.back();
        pending.pop_back();
        const std::size_t slot = std::size_t(node->m_nIndex) + 1;
        if (node->m_nKind == NodeVariable && node->m_nIndex >= 0 && slot < values.size()) {
            node->m_nKind = NodeNumber;
            node->m_dValue = values[slot];
        }
        if (node->m_pLeft)
            pending.push_back(node->m_pLeft);
        if (node->m_pRight)
            pending.push_back(node->m_pRight);
    }
}

// The engine's code with the fit's rule: an overflow (46) anywhere in the model leaves no
// usable value (the clamped one stays in the node that overflowed), so it is 17.
int EvaluationCode(const CCalcEngine& engine)
{
    const int code = engine.GetErrorCode();
    return code == ErrRange ? ErrResultTooLarge : code;
}

} // namespace

CNonlinearFit::CNonlinearFit() { CompileModel(); }

CNonlinearFit::~CNonlinearFit() = default;

int CNonlinearFit::CheckModel(const CString& text)
{
    CCalcEngine scratch;
    scratch.SetExpression(text);
    if (const int code = scratch.ParseLenient())
        return code;
    const int count = scratch.GetVariableCount();
    bool hasX = false;
    for (int i = 0; i < count; ++i)
        hasX = hasX || IsNamed(scratch.GetVariableName(i), "X");
    if (!hasX)
        return ErrXRequired;
    for (int i = 0; i < count; ++i) {
        const CString name = scratch.GetVariableName(i);
        if (IsNamed(name, "Y") || IsNamed(name, "Z") || IsNamed(name, "T"))
            return ErrReservedName;
    }
    if (count < 2)
        return ErrFitParameterRequired;
    for (int i = 0; i < count; ++i) {
        const CString name = scratch.GetVariableName(i);
        if (IsNamed(name, "X"))
            continue;
        CCalcEngine derivative;
        derivative.m_bUserFunctionsOn = 0;
        derivative.SetExpression(text);
        if (const int code = derivative.DeriveSymbolic(name))
            return code;
    }
    return 0;
}

int CNonlinearFit::SetModel(const CString& text)
{
    CString model = text;
    model.Trim();
    if (model.CompareNoCase(m_strModel) == 0)
        return 0;
    if (const int code = CheckModel(model))
        return code;
    m_strModel = model;
    m_Derivatives.clear();
    m_ModelEngine.ClearTables();
    m_ModelEngine.SetExpression(model);
    m_ModelEngine.m_bLenient = 1;
    m_ModelEngine.m_bUserFunctionsOn = 0;
    m_ModelEngine.m_bIndependentOn = 1;
    int code = m_ModelEngine.Parse();
    if (code == 0)
        code = BuildDerivatives();
    // The model checked out, so this is a parse of printed text going wrong.
    if (code != 0)
        DropModel();
    SetParameterCount(m_ModelEngine.GetVariableCount());
    CompileModel();
    return code;
}

int CNonlinearFit::SetAngleMode(int mode)
{
    if (mode == m_ModelEngine.m_nAngleMode)
        return 0;
    m_ModelEngine.m_nAngleMode = mode;
    if (m_strModel.IsEmpty())
        return 0;
    // The derivatives of trigonometric functions carry the mode's factor.
    m_Derivatives.clear();
    const int code = BuildDerivatives();
    if (code != 0) {
        DropModel();
        SetParameterCount(0);
    }
    CompileModel();
    return code;
}

void CNonlinearFit::DropModel()
{
    m_strModel.Empty();
    m_Derivatives.clear();
    m_ModelEngine.ClearTables();
    m_ModelEngine.SetExpression(CString());
}

void CNonlinearFit::CompileModel()
{
    m_Programs.clear();
    m_Programs.push_back(std::make_unique<CCompiledExpression>(m_ModelEngine.m_Root));
    for (const auto& engine : m_Derivatives)
        m_Programs.push_back(std::make_unique<CCompiledExpression>(engine->m_Root));
}

int CNonlinearFit::BuildDerivatives()
{
    const int m = m_ModelEngine.GetVariableCount();
    for (int k = 0; k < m; ++k) {
        CCalcEngine scratch;
        scratch.m_nAngleMode = m_ModelEngine.m_nAngleMode;
        scratch.m_bUserFunctionsOn = 0;
        scratch.SetExpression(m_strModel);
        if (const int code = scratch.DeriveSymbolic(GetParameterName(k)))
            return code;
        auto engine = std::make_unique<CCalcEngine>();
        engine->m_nAngleMode = m_ModelEngine.m_nAngleMode;
        engine->m_bUserFunctionsOn = 0;
        engine->SetExpression(scratch.GetText());
        for (int i = 0; i < m; ++i)
            engine->AppendVariable(GetParameterName(i), 0.0);
        if (const int code = engine->Parse())
            return code;
        m_Derivatives.push_back(std::move(engine));
    }
    return 0;
}

void CNonlinearFit::SetParameterCount(int m)
{
    const std::size_t size = std::size_t(m) + 1;
    m_InitialValues.assign(size, 1.0);
    m_InitialValues[0] = 0.0;
    m_Values = m_InitialValues;
    m_Fitted.assign(size, 1);
    m_Auto.assign(std::size_t(m), 1);
    m_Constant.assign(std::size_t(m), 0);
    m_Covariance.Resize(m, m);
    m_Curvature.Resize(m, m);
}

bool CNonlinearFit::SetMaxIterations(int limit)
{
    if (limit < 1 || limit > kMaxIterationLimit)
        return false;
    m_nMaxIterations = limit;
    return true;
}

int CNonlinearFit::GetFittedCount() const
{
    int count = 0;
    for (WORD constant : m_Constant)
        count += constant ? 0 : 1;
    return count;
}

int CNonlinearFit::SetParameters(const double* a)
{
    const int m = GetParameterCount();
    for (int i = 0; i < m; ++i)
        m_ModelEngine.m_Variables[std::size_t(i)].dValue = a[i + 1];
    for (auto& engine : m_Derivatives)
        for (int i = 0; i < m; ++i)
            engine->m_Variables[std::size_t(i)].dValue = a[i + 1];
    return 0;
}

int CNonlinearFit::Evaluate(double x, double& y, double* dyda)
{
    g_IndependentVariables[0].dValue = x;
    y = m_Programs[0]->Evaluate();
    if (const int code = EvaluationCode(m_ModelEngine))
        return code;
    for (std::size_t k = 0; k < m_Derivatives.size(); ++k) {
        dyda[k + 1] = m_Programs[k + 1]->Evaluate();
        if (const int code = EvaluationCode(*m_Derivatives[k]))
            return code;
    }
    return 0;
}

int CNonlinearFit::EvaluateModel(double x, const double* a, double& y, double* dyda)
{
    IndependentXKeeper keepX;
    SetParameters(a);
    return Evaluate(x, y, dyda);
}

int CNonlinearFit::FitPoints(const FitSample& sample)
{
    m_Held = HeldPointsOutcome{};
    if (m_strModel.IsEmpty())
        return 0;
    const int n = sample.Count();
    if (n < kMinimumFitPoints)
        return ErrTooFewDataPoints;
    const int m = GetParameterCount();
    for (int i = 0; i < m; ++i) {
        const std::size_t j = std::size_t(i) + 1;
        if (m_Auto[std::size_t(i)])
            m_InitialValues[j] = AutoStartValue(i);
        m_Values[j] = m_InitialValues[j];
        m_Fitted[j] = m_Constant[std::size_t(i)] ? 0 : 1;
    }
    const int mfit = GetFittedCount();
    if (mfit == 0)
        return ErrFitParameterRequired;
    if (n < mfit)
        return ErrTooFewDataPoints;
    if (const int code = CheckSampleFinite(sample))
        return code;

    IndependentXKeeper keepX;
    MarquardtOutcome outcome;
    const int code = sample.held.empty()
                         ? MarquardtFit(*this, sample, m_Values.data(), m_Fitted.data(), m,
                                        m_nMaxIterations, m_Covariance, m_Curvature, outcome)
                         : HeldMarquardtFit(*this, sample, m_Values.data(), m_Fitted.data(), m,
                                            m_nMaxIterations, m_Covariance, outcome, m_Held);
    m_nIterations = outcome.iterations;
    m_bStalled = outcome.stalled;
    m_dChiSquare = outcome.chiSquare;
    m_nPoints = n;
    return code;
}

int CNonlinearFit::Fit()
{
    if (m_strModel.IsEmpty())
        return 0;
    FitSample sample;
    if (const int code = ReadFitSample(m_pTable, sample))
        return code;
    return FitPoints(sample);
}

void CNonlinearFit::Report(CAnalysisResult& record) const
{
    const CString table = m_pTable ? m_pTable->GetName() : CString();
    record.SetText(m_strModelName + " Fit of " + table);
    record.SetTitle("Nonlinear fit of " + table);
    record.AddText(CString(), CString(), 0);
    record.AddText("Data Table: ", table, 0);
    record.AddText("Fit Model: ", m_strModelName, 0);
    record.AddText("Fit Equation: ", "y = " + m_strModel, 0);
    // The mode the fitted curve keeps, which a later change of the project's does not alter.
    if (m_ModelEngine.ReadsAngles())
        record.AddText("Angles: ", AngleModeName(m_ModelEngine.m_nAngleMode), 0);
    AddWeightingItem(record, m_pTable);
    const int m = GetParameterCount();
    record.AddText("Fit Results: ", CString(), 0);
    for (int i = 0; i < m; ++i)
        record.AddNumber(GetParameterName(i), GetValue(i + 1), 1);
    record.AddText("Uncertainties: ", CString(), 0);
    for (int i = 0; i < m; ++i)
        record.AddNumber(GetParameterName(i), std::sqrt(m_Covariance[i + 1][i + 1]), 1);
    record.AddText("95% Confidence Intervals:", CString(), 0);
    const double factor =
        ConfidenceFactor(m_nPoints - m_Held.points, GetFittedCount() - m_Held.fixed);
    for (int i = 0; i < m; ++i) {
        const double h = factor * std::sqrt(m_Covariance[i + 1][i + 1]);
        const double v = GetValue(i + 1);
        record.AddText(GetParameterName(i), IntervalText(record, v - h, v + h), 1);
    }
    record.AddText("Initial Values: ", CString(), 0);
    for (int i = 0; i < m; ++i)
        record.AddNumber(GetParameterName(i) + (GetConstant(i) ? " (constant)" : ""),
                         GetInitialValue(i), 1);
    record.AddNumber("Chi Square: ", m_dChiSquare, 0);
    record.AddInteger("Iterations: ", m_nIterations, 0);
    record.m_nColumnWidth1 = 200;
    record.m_nColumnWidth2 = 400;
}

void CNonlinearFit::ReportUnfinished(CAnalysisResult& record) const
{
    // Only a fit that used up its limit exceeded it; one that stopped earlier got stuck.
    CString reason = GetErrorText(ErrMaxIterations);
    if (m_bStalled)
        reason.Format("The fit stopped improving after %d iterations without converging",
                      m_nIterations);
    record.SetText(reason);
    record.AddText("Values reached:", CString(), 0);
    for (int i = 0; i < GetParameterCount(); ++i)
        record.AddNumber(GetParameterName(i) + " = ", GetValue(i + 1), 1);
    AddWeightingItem(record, m_pTable);
    record.AddNumber("Chi Square: ", m_dChiSquare, 0);
    record.AddInteger("Iterations: ", m_nIterations, 0);
}

CString CNonlinearFit::GetFailureText(int code) const
{
    return FitFailureText(code, m_Held, m_pTable);
}

CString CNonlinearFit::GetFittedEquation() const
{
    CExprNode copy;
    copy.CopyFrom(m_ModelEngine.m_Root);
    SubstituteVariables(copy, m_Values);
    return copy.Print(nullptr, true);
}
